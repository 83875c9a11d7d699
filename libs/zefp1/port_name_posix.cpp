#include <cstdlib>

#include "port_name.h"

namespace zefp1 {

namespace {

// The n of "COMn" (n >= 1, digits only), or 0 when `name` is no such name.
int ComPortNumber(const std::string& name) {
  if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return 0;
  int number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

// Qt takes a relative name for one under /dev; "./" keeps a relative path relative.
std::string KeptRelative(const std::string& path) {
  if (path.find('/') != std::string::npos && path.front() != '/') return "./" + path;
  return path;
}

}  // namespace

std::string ResolvePortName(const std::string& name) {
  const int number = ComPortNumber(name);
  if (number == 0) return KeptRelative(name);
  const char* mapped = std::getenv(("ZEFP1_" + name).c_str());
  if (mapped != nullptr && *mapped != '\0') return KeptRelative(mapped);
  return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace zefp1
