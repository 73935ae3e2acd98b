# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
CMAKE_ARGS ?=

.PHONY: all bootstrap configure build run test test-main test-asan bench fuzz format clean

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Shows the sample album (or the folder given as FOLDER=...).
run: build
	@scripts/run.sh $(BUILD) $(FOLDER)

# Every test: the full build's suite, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: test-main test-asan

test-main: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DXELO_SANITIZE=ON -DXELO_CORE_ONLY=ON $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
