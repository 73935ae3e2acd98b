# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
CMAKE_ARGS ?=

.PHONY: all bootstrap configure build run test test-main test-asan test-tsan bench fuzz format clean

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
# UndefinedBehaviorSanitizer, and the thread tests under ThreadSanitizer.
test: test-main test-asan test-tsan

test-main: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DXELO_SANITIZE=ON -DXELO_CORE_ONLY=ON $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Only the programs whose tests run threads are built and run.
test-tsan: bootstrap
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXELO_CORE_ONLY=ON \
		-DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread $(CMAKE_ARGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_thumbnail_workers
	cd $(TSAN_BUILD) && ctest --output-on-failure -R '^ThumbnailWorkers\.'

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
