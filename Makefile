# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands. Builds go to build/ (and build-sanitize/ for the
# sanitizer run); both use Ninja on every core of the machine.

BUILD      ?= build
SANBUILD   ?= build-sanitize
FUZZBUILD  ?= build-fuzz
CLANGBUILD ?= build-clang
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 600

.PHONY: deps configure build check check-sanitize check-clang fuzz demo gui bench screenshots format-check clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest $(CTEST_ARGS)

check-sanitize: deps
	cmake -S . -B $(SANBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKALVOR_SANITIZE=ON -DKALVOR_ENGINE_ONLY=ON
	cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest $(CTEST_ARGS) -L engine

# The whole tree with clang, tests included.
check-clang:
	scripts/install-deps clang
	cmake -S . -B $(CLANGBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(CLANGBUILD) -j $(JOBS)
	cd $(CLANGBUILD) && ctest $(CTEST_ARGS)

# Every fuzz target for FUZZ_SECONDS seconds (clang's libFuzzer, ASan, UBSan).
fuzz:
	scripts/install-deps clang
	cmake -S . -B $(FUZZBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKALVOR_FUZZ=ON -DKALVOR_ENGINE_ONLY=ON
	cmake --build $(FUZZBUILD) -j $(JOBS)
	fuzz/run-all $(FUZZBUILD) $(FUZZ_SECONDS)

demo: build
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
	rm -rf $(BUILD) $(SANBUILD) $(FUZZBUILD) $(CLANGBUILD)
