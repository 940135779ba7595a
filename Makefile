# Front door: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD ?= build
TYPE  ?= RelWithDebInfo
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test bench threads sanitize-configure sanitize fuzz clean

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

# The core's tests (and the headless tool they run) under AddressSanitizer and
# UndefinedBehaviorSanitizer; the window is left to the plain build.
ASAN_BUILD ?= $(BUILD)-asan
# (GCC's -Wmaybe-uninitialized misfires on the instrumented code, here inside
# libstdc++'s <regex>; the plain build keeps the warning.)
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined \
  -Wno-maybe-uninitialized
sanitize-configure: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVIK_WINDOW=OFF \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" > /dev/null

sanitize: sanitize-configure
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target torvik_tests torvik-cli
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# libFuzzer targets of the readers of outside input (fuzz/), built with clang
# (libFuzzer comes with clang's runtime); each runs FUZZ_SECONDS from a copy of
# its seed corpus, and a crash fails.
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTORVIK_WINDOW=OFF -DTORVIK_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
