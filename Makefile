# ZAVROView: `make run` builds and starts the program, `make test` runs every test.
# Both install the Debian packages they need first (tools/install_deps.sh).

BUILD      := build
TEST_BUILD := build-test
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: run test test-release test-asan build test-build deps test-deps bench soak fuzz clean

deps:
	@bash tools/install_deps.sh

test-deps:
	@bash tools/install_deps.sh --test

# A user's build: no tests (so no test framework needed), warnings reported, not fatal.
build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZAVRO_TESTS=OFF -DZAVRO_WERROR=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zavro

# The release build's tests, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Warnings are errors in both.
test: test-release test-asan

test-build: test-deps
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(TEST_BUILD) -j $(JOBS)

test-release: test-build
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: test-deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZAVRO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: test-build
	bash bench/run_benchmarks.sh $(TEST_BUILD)

# The whole program playing for an hour (SOAK_MINUTES=N for less), its memory each minute.
soak: test-build
	bash bench/soak.sh $(TEST_BUILD)

# libFuzzer programs (clang); run one with e.g. build-fuzz/fuzz/bmp_fuzz fuzz/corpus/bmp
fuzz: test-deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVRO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
