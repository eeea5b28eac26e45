# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands. Builds go to build/ (build-sanitize/ for the
# sanitizer run, build-release/ for the Release check); all use Ninja on every
# core of the machine, with warnings as errors.

BUILD      ?= build
SANBUILD   ?= build-sanitize
RELBUILD   ?= build-release
FUZZBUILD  ?= build-fuzz
CLANGBUILD ?= build-clang
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 600
STRICT     := -DKALVOR_WERROR=ON

.PHONY: deps configure build check check-sanitize check-release check-clang fuzz demo gui bench screenshots format-check clean

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

# The whole tree with clang (engine, command line, screens, tests and
# benchmarks), warnings as errors, and every test.
check-clang:
	scripts/install-deps clang
	cmake -S . -B $(CLANGBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKALVOR_ENGINE_ONLY=OFF $(STRICT)
	cmake --build $(CLANGBUILD) -j $(JOBS)
	cd $(CLANGBUILD) && ctest $(CTEST_ARGS)

# Every fuzz target for FUZZ_SECONDS seconds (clang's libFuzzer, ASan, UBSan).
fuzz:
	scripts/install-deps clang
	cmake -S . -B $(FUZZBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKALVOR_FUZZ=ON -DKALVOR_ENGINE_ONLY=ON $(STRICT)
	cmake --build $(FUZZBUILD) -j $(JOBS)
	fuzz/run-all $(FUZZBUILD) $(FUZZ_SECONDS)

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
	rm -rf $(BUILD) $(SANBUILD) $(RELBUILD) $(FUZZBUILD) $(CLANGBUILD)
