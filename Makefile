# The README's commands. `make test` is what CI runs.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc)

.PHONY: setup configure build test bench run screenshots install clean

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

clean:
	rm -rf $(BUILD)
