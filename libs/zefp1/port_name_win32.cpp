#include "port_name.h"

namespace zefp1 {

// Windows opens "COMn" and device paths by themselves.
std::string ResolvePortName(const std::string& name) {
  return name;
}

}  // namespace zefp1
