// Which device a port name opens.
#pragma once

#include <string>

namespace zefp1 {

// "COMn" is the n-th serial port; a name with a path separator is used as it is.
// On POSIX "COMn" is $ZEFP1_COMn when set, else /dev/ttyS<n-1>, and any other bare name
// (such as "ttyUSB0") is a device under /dev.
std::string ResolvePortName(const std::string& name);

}  // namespace zefp1
