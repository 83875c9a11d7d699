// What a private profile file can hold, the same on every system.
#include "platform/private_profile.h"

#include <string_view>

namespace profile {
namespace {

bool BreaksLines(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

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
