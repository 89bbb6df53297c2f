# ZAVROView: `make run` builds and starts the program, `make test` runs every test,
# `make package` builds the Debian package. Each installs the Debian packages it needs
# first (tools/install_deps.sh).

BUILD      := build
TEST_BUILD := build-test
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
PACKAGE_BUILD := build-package
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: run test test-release test-asan build test-build asan-build deps test-deps bench soak fuzz clean

deps:
	@bash tools/install_deps.sh

test-deps:
	@bash tools/install_deps.sh --test

.PHONY: package package-deps package-check
package-deps:
	@bash tools/install_deps.sh --package

# A user's build: no tests (so no test framework needed), warnings reported, not fatal.
build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZAVRO_TESTS=OFF -DZAVRO_WERROR=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zavro

# The release build's tests, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer (the monkey test among them). Warnings are errors in both.
test: test-release test-asan

test-build: test-deps
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZAVRO_WERROR=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)

test-release: test-build
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

asan-build: test-deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZAVRO_SANITIZE=ON -DZAVRO_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan-build
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: test-build
	bash bench/run_benchmarks.sh $(TEST_BUILD)

# The whole program playing for an hour (SOAK_MINUTES=N for less), its memory each minute;
# it must be alive and answering at the end. SOAK_MODE=monkey instead drives the sanitizer
# build with random input for 15 minutes (MONKEY_SECONDS=N; MONKEY_SEED=N replays a run).
ifeq ($(SOAK_MODE),monkey)
soak: asan-build
	MONKEY_SECONDS=$${MONKEY_SECONDS:-900} ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  XDG_RUNTIME_DIR=$(CURDIR)/$(ASAN_BUILD)/runtime \
	  bash tests/tools/with_xvfb.sh 1280x1024 -- bash tests/xvfb/monkey.sh $(ASAN_BUILD)/zavro
else
soak: test-build
	bash bench/soak.sh $(TEST_BUILD)
endif

# libFuzzer programs (clang); run one with e.g. build-fuzz/fuzz/bmp_fuzz fuzz/corpus/bmp
fuzz: test-deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVRO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# The Debian package, from a release build with no tests in its own folder, with Debian's
# hardening flags; lintian must find no errors in it. Writes $(PACKAGE_BUILD)/zavroview_*.deb.
package: package-deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(PACKAGE_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZAVRO_TESTS=OFF \
	  -DZAVRO_WERROR=OFF -DZAVRO_DEBIAN_DOCS=ON -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	rm -f $(PACKAGE_BUILD)/*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	lintian --allow-root --fail-on error $(PACKAGE_BUILD)/*.deb

# The package unpacked and its program started from there under Xvfb, as a new user would.
package-check: package test-deps
	bash tests/tools/with_xvfb.sh 1280x1024 -- bash tests/package/check_package.sh $(PACKAGE_BUILD)/*.deb

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
