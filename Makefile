# The README's two commands, `make run` and `make test` (through ./make, which first
# installs make itself where it is missing).
BUILD ?= build
JOBS ?= $(shell nproc)
# CI builds treat warnings as errors.
WERROR := $(if $(filter true 1 yes,$(CI)),ON,OFF)
CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPURLO_WARNINGS_AS_ERRORS=$(WERROR)

.PHONY: run test bench setup configure build format

# Only the program, with only what it needs installed: no test framework, no test tools.
# Its information keys, fonts and icons are put beside it when the build is configured.
run:
	sh scripts/setup.sh run
	$(CONFIGURE) -DPURLO_BUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target purlo
	$(BUILD)/bin/purlo

test: build
	sh scripts/run-tests.sh $(BUILD)

# Every figure is taken, even after one passed its goal; then the run fails.
bench: build
	status=0; \
	for program in $(BUILD)/bin/purlo_bench_*; do "$$program" || status=1; done; \
	sh bench/measure-running.sh $(BUILD) || status=1; \
	exit $$status

# Everything: the program, its tests and benchmarks, and what they need.
setup:
	sh scripts/setup.sh test

configure: setup
	$(CONFIGURE) -DPURLO_BUILD_TESTS=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
