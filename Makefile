# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands. Builds go to build/ (build-sanitize/ for the
# sanitizer run, build-release/ for the Release check); all use Ninja on every
# core of the machine, with warnings as errors.

BUILD      ?= build
SANBUILD   ?= build-sanitize
RELBUILD   ?= build-release
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 600
STRICT     := -DKALVOR_WERROR=ON

.PHONY: deps configure build check check-sanitize check-release demo gui bench screenshots format-check clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(STRICT)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest $(CTEST_ARGS)

check-sanitize: deps
	cmake -S . -B $(SANBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKALVOR_SANITIZE=ON -DKALVOR_ENGINE_ONLY=ON $(STRICT)
	cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest $(CTEST_ARGS) -L 'engine|cli'

# The configuration a packager builds.
check-release: deps
	cmake -S . -B $(RELBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release $(STRICT)
	cmake --build $(RELBUILD) -j $(JOBS)
	cd $(RELBUILD) && ctest $(CTEST_ARGS)

# Only the command line and the libraries it links: the demo needs nothing else.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target kalvor-cli
	scripts/demo $(BUILD)

gui: build
	cd $(BUILD)/bin && ./kalvor

bench: build
	$(BUILD)/bin/kalvor-bench

screenshots: build
	scripts/screenshots $(BUILD)

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.hpp')

clean:
	rm -rf $(BUILD) $(SANBUILD) $(RELBUILD)
