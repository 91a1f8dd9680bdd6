# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
# CI builds treat warnings as errors.
WERROR := $(if $(filter true 1 yes,$(CI)),ON,OFF)

.PHONY: run test bench setup build format

run: build
	$(BUILD)/bin/purlo

test: build
	sh scripts/run-tests.sh $(BUILD)

bench: build
	for program in $(BUILD)/bin/purlo_bench_*; do "$$program" || exit 1; done
	sh bench/measure-running.sh $(BUILD)

setup:
	sh scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPURLO_WARNINGS_AS_ERRORS=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
