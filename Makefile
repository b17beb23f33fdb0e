# The two set-up commands of the README: `make demo` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc)

.PHONY: deps build demo test test-asan fuzz run bench clean

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	$(BUILD)/app/cli/brondel-cli convert examples/wing-rib.dxf -o $(BUILD)/wing-rib.dat

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan
	$(MAKE) fuzz

# Every test again, the desktop ones too (offscreen), under AddressSanitizer
# and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRONDEL_SANITIZE=ON \
	  -DBRONDEL_DESKTOP=ON -DBRONDEL_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# A short bounded run of every fuzz target.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DBRONDEL_FUZZ=ON -DBRONDEL_DESKTOP=OFF -DBRONDEL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-targets
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

run: build
	$(BUILD)/app/desktop/brondel

bench: build
	scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
