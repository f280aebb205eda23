# The two commands: `make run` and `make test`.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test deps deps-test configure build clean bench looks format sanitize

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

# Benchmarks and the PNG tools are built only when asked for: these turn them on in the
# existing build folder.
bench: deps configure
	cmake -S . -B $(BUILD_DIR) -DZORV_BUILD_BENCHMARKS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	./$(BUILD_DIR)/benchmarks/bench_model

looks: deps configure
	cmake -S . -B $(BUILD_DIR) -DZORV_BUILD_TOOLS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The unit and end-to-end tests once more under AddressSanitizer and UBSan (its own build).
sanitize: deps-test
	JOBS=$(JOBS) sh scripts/test-sanitized.sh $(SANITIZE_DIR)

format:
	find src tests benchmarks tools -name '*.cpp' -o -name '*.h' | xargs clang-format-14 -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
