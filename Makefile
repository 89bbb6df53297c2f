# ZAVROView: `make run` builds and starts the program, `make test` runs every test.
# Both install the Debian packages they need first (tools/install_deps.sh).

BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: run test test-release test-asan build deps bench fuzz clean

deps:
	@bash tools/install_deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zavro

# The release build's tests, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: test-release test-asan

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZAVRO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: build
	bash bench/run_benchmarks.sh $(BUILD)

# libFuzzer programs (clang); run one with e.g. build-fuzz/fuzz/bmp_fuzz fuzz/corpus/bmp
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVRO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
