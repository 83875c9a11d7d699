// Private profile files on Windows: the system's own functions.
#include <windows.h>

#include <vector>

#include "platform/private_profile.h"
#include "platform/text_bytes.h"

namespace profile {

int ReadInt(const std::string& path, const std::string& section, const std::string& key,
            int fallback) {
  return static_cast<int>(
      GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, path.c_str()));
}

std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t capacity) {
  std::vector<char> buffer(capacity + 1, '\0');
  GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                           static_cast<DWORD>(buffer.size()), path.c_str());
  return text_bytes::CutToCapacity(buffer.data(), capacity);
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
