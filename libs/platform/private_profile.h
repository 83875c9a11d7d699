// Private profile (INI) files with the Windows semantics: sections and keys match without
// regard to case, blanks around names and values are ignored, values are bytes, a missing
// file reads as empty, and writing one key leaves everything else in the file as it was.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace profile {

// The key's value as a decimal integer (leading sign allowed); `fallback` when the file,
// section or key is missing. A value that is not a number reads as 0.
int ReadInt(const std::string& path, const std::string& section, const std::string& key,
            int fallback);

// The key's value, cut on a character boundary to fit a buffer of `capacity` bytes
// (terminator included); `fallback`, cut the same way, when the key is missing.
std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t capacity);

// Sets the key, creating the section and the file (readable by its owner alone) when
// missing. False when the file cannot be written or a name or value would break the
// file's line structure.
bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);

// True when `key` = `value` in `section` can be written as lines that read back as that
// key: no line break or NUL anywhere, no "]" in the section name, a key that is not blank
// and holds no "=", and a key line that reads neither as a comment (a key that begins with
// ";") nor as a section heading (a key that begins with "[" on a line holding a "]").
bool KeepsLineStructure(const std::string& section, const std::string& key,
                        const std::string& value);

using KeyValue = std::pair<std::string, std::string>;

// Sets several keys of one section in a single rewrite of the file.
bool WriteStrings(const std::string& path, const std::string& section,
                  const std::vector<KeyValue>& entries);

}  // namespace profile
