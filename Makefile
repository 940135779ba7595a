# Front door: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD ?= build
TYPE  ?= RelWithDebInfo
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test bench clean

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

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
