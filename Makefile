# The two commands: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps deps-test configure build clean bench

run: deps build
	./$(BUILD_DIR)/zorv

test: deps-test build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

deps:
	sh scripts/install-deps.sh build

deps-test:
	sh scripts/install-deps.sh test

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

bench: build
	./$(BUILD_DIR)/benchmarks/bench_model

clean:
	rm -rf $(BUILD_DIR)
