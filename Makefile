# The README's commands. `make test` is what CI runs.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc)

.PHONY: setup configure build test bench run screenshots install clean soak

setup:
	scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

run: build
	scripts/run-demo $(BUILD)

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/screenshots $(BUILD)/screenshots

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

bench: build
	scripts/run-benchmarks $(BUILD)

# The soak (not part of `make test`): the program under thousands of random operations and
# faults, built with AddressSanitizer, LeakSanitizer and UBSan in a build folder of its own.
SOAK_BUILD ?= build-soak
SOAK_SEED ?= 1
SOAK_FLAGS := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined

soak: setup
	cmake -S . -B $(SOAK_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUDODE_WERROR=$(WERROR) \
	  "-DCMAKE_C_FLAGS=$(SOAK_FLAGS)" "-DCMAKE_CXX_FLAGS=$(SOAK_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SOAK_FLAGS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(SOAK_FLAGS)"
	cmake --build $(SOAK_BUILD) -j $(JOBS) --target dudode_soak
	QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8 \
	  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(SOAK_BUILD)/tests/dudode_soak --seed $(SOAK_SEED)

clean:
	rm -rf $(BUILD) $(SOAK_BUILD)
