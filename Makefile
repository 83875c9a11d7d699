# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands. `make test` is what CI runs.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc)

.PHONY: setup configure build test bench run screenshots install clean soak package package-check

setup:
	scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

# Builds only what the demo runs: the program with its libraries, the emulator, the generator.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target dudode zefp1-emu make-book
	scripts/run-demo $(BUILD)

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/screenshots $(BUILD)/screenshots

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

bench: build
	scripts/run-benchmarks $(BUILD)

# The Debian package, dudode_<version>_<arch>.deb in $(BUILD), made by CPack from the same
# build; package-check runs lintian and the other checks on it and starts the unpacked program
# (docs/packaging.md).
package: build
	cd $(BUILD) && cpack -G DEB

package-check: package
	scripts/check-package $(BUILD)

# The soak (not part of `make test`): the program under thousands of random operations and
# faults, built with the sanitizers (as `make sanitize` builds) in a build folder of its own.
SOAK_BUILD ?= build-soak
SOAK_SEED ?= 1

soak: setup
	cmake -S . -B $(SOAK_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR) \
	  -DDUDODE_SANITIZE=ON
	cmake --build $(SOAK_BUILD) -j $(JOBS) --target dudode_soak
	$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8 \
	  $(SOAK_BUILD)/tests/dudode_soak --seed $(SOAK_SEED)

clean:
	rm -rf $(BUILD) $(SOAK_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)

# Hardening (docs/reliability.md): the suite under ASan and UBSan, the fuzz targets under
# libFuzzer for FUZZ_SECONDS each, and the libraries cross-built for Windows, tested under wine.
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
WINDOWS_BUILD ?= build-windows
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: sanitize fuzz windows

sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR) \
	  -DDUDODE_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) --timeout 600

fuzz:
	scripts/setup clang-14 libclang-rt-14-dev
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDUDODE_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

windows:
	scripts/setup g++-mingw-w64-x86-64-posix wine64 googletest
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	scripts/wine-ctest $(WINDOWS_BUILD) --output-on-failure -j $(JOBS) --timeout 600
