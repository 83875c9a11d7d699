// What reads and writes of private profile files mean, the same on every system; only
// ReadValue and the writes are the system's own.
#include "platform/private_profile.h"

#include <string_view>

#include "platform/text_bytes.h"
#include "private_profile_value.h"

namespace profile {
namespace {

bool BreaksLines(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

int ReadInt(const std::string& path, const std::string& section, const std::string& key,
            int fallback) {
  const auto value = ReadValue(path, section, key);
  return value ? text_bytes::ParseInt(*value) : fallback;
}

std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t capacity) {
  const auto value = ReadValue(path, section, key);
  return text_bytes::CutToCapacity(value ? *value : fallback, capacity);
}

bool KeepsLineStructure(const std::string& section, const std::string& key,
                        const std::string& value) {
  if (BreaksLines(section) || BreaksLines(key) || BreaksLines(value)) return false;
  if (section.find(']') != std::string::npos || key.find('=') != std::string::npos) return false;
  const std::size_t keyStart = key.find_first_not_of(" \t");
  if (keyStart == std::string::npos) return false;
  const char first = key[keyStart];
  const bool readsAsHeading =
      first == '[' && (key.find(']') != std::string::npos || value.find(']') != std::string::npos);
  return first != ';' && !readsAsHeading;
}

}  // namespace profile
