# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build made on this machine. mingw-w64 has no Qt, so it holds what needs none:
# the platform layer, the CallDir library and CallDir.dll, the adapter's line protocol and
# port names, and their tests, which CTest runs under wine. ZEF_P1.dll and the window need
# Qt for Windows (docs/architecture.md).

# GoogleTest from Debian's sources (it names its targets GTest::gtest and so on), built
# without the project's warning flags.
get_directory_property(project_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${project_options}")

enable_testing()
include(GoogleTest)
include(cmake/DudodeTesting.cmake)

add_subdirectory(libs/platform)
add_subdirectory(libs/calldir)
add_subdirectory(libs/zefp1)
add_subdirectory(tools/holdmutex)
add_subdirectory(tests/libs/platform)
add_subdirectory(tests/libs/calldir)
add_subdirectory(tests/libs/zefp1)
