// Private profile files on Windows: the system's own functions. ReadInt and ReadString
// (private_profile.cpp) read through ReadValue, so numbers read as on POSIX: clamped to int's
// range, and an empty value is 0.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/private_profile.h"
#include "private_profile_value.h"

namespace profile {

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
  // A default no stored value can be (values hold no line break) tells a missing key from
  // an empty value, which GetPrivateProfileIntA would not.
  constexpr char kMissing[] = "\n";
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    if (length + 1 < buffer.size()) {
      const std::string value(buffer.data(), length);
      if (value == kMissing) return std::nullopt;
      return value;
    }
    buffer.resize(buffer.size() * 2);  // cut off: read it again whole
  }
}

bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
  if (!KeepsLineStructure(section, key, value)) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

bool WriteStrings(const std::string& path, const std::string& section,
                  const std::vector<KeyValue>& entries) {
  for (const auto& [key, value] : entries) {
    if (!KeepsLineStructure(section, key, value)) return false;  // write all or none
  }
  bool written = true;
  for (const auto& [key, value] : entries) written &= WriteString(path, section, key, value);
  return written;
}

}  // namespace profile
