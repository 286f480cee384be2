# The two commands of the README:
#   make run   installs what is missing, builds, and opens Zelta PPS
#   make test  installs what is missing, builds, and runs every test
# (the core and its tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, then everything in the normal build).
#   make package  builds the Debian package (build/zelta-pps_*.deb) and
# checks it with lintian.

BUILD_DIR    ?= build
ASAN_DIR     ?= build-asan
JOBS         ?= $(shell nproc)
CMAKE_FLAGS  ?=

.PHONY: run test deps build build-asan test-asan test-main package format format-check clean

run: build
	./$(BUILD_DIR)/src/ui/zelta-pps

test: test-asan test-main

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELTA_SANITIZE=ON \
	  -DZELTA_BUILD_UI=OFF -DZELTA_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)

build-asan: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)

# The sanitizer run comes first so that the last lines are the summary of
# the full suite.
test-asan: build-asan
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

test-main: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# lintian fails on errors only; its warnings are printed.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --fail-on error $(BUILD_DIR)/zelta-pps_*.deb

# The layout of every C++ file is clang-format's (.clang-format at the root).
FORMAT_FILES = git ls-files '*.cpp' '*.h'

format: deps
	$(FORMAT_FILES) | xargs clang-format -i

format-check: deps
	$(FORMAT_FILES) | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
