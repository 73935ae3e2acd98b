# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
CLANG_BUILD ?= build-clang-release
JOBS       ?= 2
CMAKE_ARGS ?=
# Warnings are errors in the tests and CI (WERROR=ON), never in a user's build; empty keeps
# what the build folder was configured with.
WERROR     ?=
# Line tables instead of full debug information in the builds of make test (ON there): they
# compile a quarter faster; empty keeps what the build folder was configured with.
LINE_TABLES ?=

.PHONY: all bootstrap configure build install run test test-main test-asan test-tsan test-clang bench fuzz format clean

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DXELO_WERROR=$(WERROR)) \
		$(if $(LINE_TABLES),-DXELO_LINE_TABLES=$(LINE_TABLES)) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Installs into PREFIX (default /usr/local); DESTDIR=... stages the install for a package.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# Shows the sample album (or the folder given as FOLDER=...).
run: build
	@scripts/run.sh $(BUILD) $(FOLDER)

# Every test: the full build's suite, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the thread tests under ThreadSanitizer, then the program built as
# packagers build it (Release, clang), all with warnings as errors.
test: test-main test-asan test-tsan test-clang
test test-main test-asan test-tsan test-clang: WERROR = ON
test test-main test-asan test-tsan: LINE_TABLES = ON

test-main: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DXELO_SANITIZE=ON -DXELO_CORE_ONLY=ON -DXELO_WERROR=$(WERROR) \
		-DXELO_LINE_TABLES=$(LINE_TABLES) $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Only the programs whose tests run threads are built and run.
test-tsan: bootstrap
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXELO_CORE_ONLY=ON -DXELO_WERROR=$(WERROR) \
		-DXELO_LINE_TABLES=$(LINE_TABLES) -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread $(CMAKE_ARGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_thumbnail_workers test_slide_show test_saveflows
	cd $(TSAN_BUILD) && ctest --output-on-failure -R '^(ThumbnailWorkers|SlideShow)\.|^SaveFlows\.Batch'

# Release with clang 14 and -O3: the optimiser's warnings differ from GCC's at RelWithDebInfo.
# Builds the program and the tool; the suite already ran on the main build.
test-clang: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(CLANG_BUILD) -DCMAKE_BUILD_TYPE=Release -DXELO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(CLANG_BUILD) -j $(JOBS) --target xelo_album xelo-tool

bench: build
	@for b in $(BUILD)/bench/xelo_bench_*; do "$$b"; done

# libFuzzer targets built with clang; run one with e.g.
#   build-fuzz/fuzz/fuzz_bmp -max_total_time=600 fuzz-out/bmp
fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXELO_LIBFUZZER=ON -DXELO_CORE_ONLY=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(CLANG_BUILD)
