# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for hardening, set before any target exists so that every target in the tree,
# those added later included, gets the same flags.
#
# DUDODE_SANITIZE: AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer;
#   any report stops the program, so a test that triggers one fails.
# DUDODE_FUZZ: clang only; the code is instrumented for libFuzzer (with ASan and UBSan) and
#   the fuzz targets link libFuzzer's driver instead of the corpus replayer.
option(DUDODE_SANITIZE "Build everything with ASan and UBSan" OFF)
option(DUDODE_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)

if(DUDODE_SANITIZE OR DUDODE_FUZZ)
  set(DUDODE_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
  add_compile_options(${DUDODE_SANITIZERS})
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC's instrumentation confuses its flow analysis into false "may be used
    # uninitialized" in libstdc++ (std::regex); the plain build keeps the warning.
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
endif()

if(DUDODE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DUDODE_FUZZ needs clang (libFuzzer): configure with CXX=clang++-14")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
