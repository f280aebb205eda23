# The two commands: `make run` and `make test`.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test deps deps-test deps-deb configure build clean bench looks format sanitize fuzz deb

run: deps build
	./$(BUILD_DIR)/zorv

# The package is built first, so that ctest checks it beside everything else.
test: deps-test build deb
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

deps:
	sh scripts/install-deps.sh build

deps-test:
	sh scripts/install-deps.sh test

deps-deb:
	sh scripts/install-deps.sh deb

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

# libFuzzer targets built with clang 14 in their own folder, each run FUZZ_SECONDS (60 unless
# given) over a working corpus seeded from tests/fuzz/corpus.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = history memofile legacymemos
fuzz:
	sh scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DZORV_FUZZ=ON \
	  -DZORV_BUILD_TESTS=OFF -DZORV_BUILD_BENCHMARKS=OFF -DZORV_BUILD_TOOLS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t && \
	  ./$(FUZZ_DIR)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The Debian package: a Release build of the programs alone (no tests, benchmarks or tools),
# with Debian's hardening flags, packaged into exactly one dist/zorv_<version>_<arch>.deb.
DEB_BUILD_DIR ?= build-deb
deb: deps-deb
	DEB_CXXFLAGS_MAINT_STRIP="-g -O2" DEB_BUILD_MAINT_OPTIONS=hardening=+all sh -c \
	  'CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	   LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	   cmake -S . -B $(DEB_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	     -DZORV_BUILD_TESTS=OFF -DZORV_BUILD_BENCHMARKS=OFF -DZORV_BUILD_TOOLS=OFF >/dev/null'
	cmake --build $(DEB_BUILD_DIR) -j $(JOBS)
	rm -f dist/zorv_*.deb
	cd $(DEB_BUILD_DIR) && cpack
	@ls dist/zorv_*.deb

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(DEB_BUILD_DIR) dist
