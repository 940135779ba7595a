# Front door: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD ?= build
TYPE  ?= RelWithDebInfo
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test bench threads clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/torvik

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The tests of the two threads (the engine's and the window's) under ThreadSanitizer.
threads: deps
	@cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-fsanitize=thread > /dev/null
	@cmake --build $(BUILD)-tsan -j $(JOBS) --target torvik_tests
	TSAN_OPTIONS=halt_on_error=1 $(BUILD)-tsan/tests/torvik_tests --gtest_filter='EngineThread.*:RayCache.ThreadsShareOneCache'

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
