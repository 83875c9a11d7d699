# SPDX-License-Identifier: GPL-3.0-or-later
# One place that registers tests and gives every one the same environment:
# the offscreen Qt platform and a Japanese-capable UTF-8 locale.
set(DUDODE_TEST_ENV "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8" "LANG=C.UTF-8")

# dudode_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>])
function(dudode_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Each test is named after its program too ("calldir_tests.Suite.Test"), so that
  # `ctest -R <program>` picks one program's tests.
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${DUDODE_TEST_ENV}" TIMEOUT 300)
endfunction()

# dudode_add_qt_test(NAME <name> SOURCES <files...> [LIBS <targets...>]): a Qt Test program
# that drives windows and dialogs on the offscreen platform, run as one test.
function(dudode_add_qt_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${DUDODE_TEST_ENV}" TIMEOUT 300)
endfunction()
