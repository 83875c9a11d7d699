#include "port_name.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

namespace {

using Case = std::pair<const char*, const char*>;  // a port name, the device it opens

void ExpectResolved(std::initializer_list<Case> cases) {
  for (const auto& [name, device] : cases) EXPECT_EQ(zefp1::ResolvePortName(name), device) << name;
}

#ifdef _WIN32
TEST(PortNameOnWindows, EveryNameIsOpenedAsItIs) {
  ExpectResolved({{"COM1", "COM1"},
                  {"COM10", "COM10"},
                  {"\\\\.\\COM3", "\\\\.\\COM3"},
                  {"dir/port", "dir/port"}});
}
#else
TEST(PortNameOnPosix, ComPortsAreTheSerialDevicesUnlessTheEnvironmentMapsThem) {
  unsetenv("ZEFP1_COM2");
  ExpectResolved({{"COM1", "/dev/ttyS0"}, {"COM2", "/dev/ttyS1"}, {"COM256", "/dev/ttyS255"}});
  setenv("ZEFP1_COM2", "/tmp/emulated-port", 1);
  ExpectResolved({{"COM2", "/tmp/emulated-port"}, {"COM1", "/dev/ttyS0"}});
  unsetenv("ZEFP1_COM2");
}

TEST(PortNameOnPosix, OtherNamesKeepTheirMeaning) {
  ExpectResolved({{"/dev/ttyUSB0", "/dev/ttyUSB0"},
                  {"ttyUSB0", "ttyUSB0"},  // Qt opens a bare name under /dev
                  {"dir/port", "./dir/port"},
                  {"COM", "COM"},
                  {"COMx", "COMx"},
                  {"COM1234", "COM1234"}});
}
#endif

}  // namespace
