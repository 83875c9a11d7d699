// Inside the platform layer: the one read each system does its own way. ReadInt and
// ReadString are built on it once, for both.
#pragma once

#include <optional>
#include <string>

namespace profile {

// The key's whole value, blanks around it removed; nothing when the file, section or key is
// missing.
std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key);

}  // namespace profile
