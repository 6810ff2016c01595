# Thin wrapper: the build itself is CMake's.
BUILD ?= build
JOBS ?= $(shell nproc)
# The sanitizer build of the unit and window tests, and the fuzzers' clang build.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Seconds per fuzzer: long runs by default; the tests run each for 20 s.
FUZZ_TIME ?= 600
SAN_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SAN_ENV := ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:fast_unwind_on_malloc=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/sanitizers/ubsan.supp

.PHONY: setup configure build run test test-asan fuzz bench format check-format clean install package

setup:
	bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/Kirel/kirel

test: build
	cd $(BUILD) && ctest --output-on-failure -j 2
	$(MAKE) test-asan
	$(MAKE) fuzz FUZZ_TIME=20

# Unit and window tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# The real browser module's test is left out: the browser engine is not built for
# the sanitizers.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)" \
		-DCMAKE_MODULE_LINKER_FLAGS="$(SAN_FLAGS)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j 2 -L 'unit|gui' -E test_browser_isolation

# libFuzzer harnesses (clang): build, then run each for FUZZ_TIME seconds from its
# corpus in tests/fuzz/corpus.
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKIREL_FUZZ=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $(SAN_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)"
	cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)
	bash tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_TIME)

# Installs the built program as a desktop program under PREFIX (DESTDIR is
# honoured). It builds nothing, so that `sudo make install` after `make build`
# leaves the build folder to its owner.
PREFIX ?= /usr/local
install:
	@test -f $(BUILD)/cmake_install.cmake || { echo "Nothing built in $(BUILD): run make build first"; exit 1; }
	cmake --install $(BUILD) --strip --prefix $(PREFIX)

# The Debian package, in the build folder.
package: build
	cmake --build $(BUILD) --target package

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	bash bench/run.sh $(BUILD)

format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

check-format:
	bash scripts/check_format.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
