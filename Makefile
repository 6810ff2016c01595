# Thin wrapper: the build itself is CMake's.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test bench format check-format clean install package

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
	rm -rf $(BUILD)
