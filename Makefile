# Brioletta: every target sets up what is missing first, so a fresh Debian 12 machine needs nothing else.
BUILD       ?= build
BUILD_ASAN  ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_FUZZ  ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS        ?= $(shell nproc)

.PHONY: all setup build run test bench sanitize fuzz format clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/brioletta

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

sanitize: setup
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIO_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

bench: setup
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIO_TESTS=OFF -DBRIO_BENCH=ON
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	./$(BUILD_BENCH)/bench/brio_bench $(BENCH_ARGS)

# Each fuzz target runs FUZZ_SECONDS on its own corpus (seeded from fuzz/corpus).
fuzz:
	@bash scripts/setup.sh fuzz
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIO_FUZZ=ON -DBRIO_TESTS=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for target in recording workspace; do \
		mkdir -p $(BUILD_FUZZ)/corpus/$$target; \
		echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
		./$(BUILD_FUZZ)/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
			-max_len=65536 $(BUILD_FUZZ)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ)
