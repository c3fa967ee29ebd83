# Brioletta: every target sets up what is missing first, so a fresh Debian 12 machine needs nothing else.
BUILD       ?= build
BUILD_ASAN  ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_FUZZ  ?= build-fuzz
BUILD_TSAN  ?= build-tsan
BUILD_RENDER ?= build-render
BUILD_SOAK  ?= build-soak
SOAK_MINUTES ?= 60
SOAK_SEEDS  ?= 1,2,3,4,5
FUZZ_SECONDS ?= 300
FUZZ_TARGETS ?= recording smf workspace markup styles options recent
PREFIX      ?= /usr/local
JOBS        ?= $(shell nproc)

.PHONY: all setup build run test bench sanitize tsan fuzz format clean install uninstall package \
	styles-check soak

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

sanitize: setup tsan
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIO_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# The MIDI input's hand-over between threads under ThreadSanitizer.
tsan: setup
	cmake -S . -B $(BUILD_TSAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIO_TSAN=ON
	cmake --build $(BUILD_TSAN) -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(BUILD_TSAN) --output-on-failure -j $(JOBS)

# A system-wide copy under PREFIX (DESTDIR, when set, is put in front of every path).
install: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD) --component program
	@if [ -z "$(DESTDIR)" ] && command -v update-mime-database >/dev/null; then \
		update-mime-database $(PREFIX)/share/mime; \
		update-desktop-database $(PREFIX)/share/applications 2>/dev/null || true; \
		gtk-update-icon-cache -q -t $(PREFIX)/share/icons/hicolor 2>/dev/null || true; \
	fi

uninstall:
	cmake --build $(BUILD) --target uninstall

# The Debian package, in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

bench: setup
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIO_TESTS=OFF -DBRIO_BENCH=ON
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	./$(BUILD_BENCH)/bench/brio_bench $(BENCH_ARGS)

# Each fuzz target of FUZZ_TARGETS runs FUZZ_SECONDS on its own corpus (seeded from fuzz/corpus),
# e.g. `make fuzz FUZZ_TARGETS="styles options" FUZZ_SECONDS=60`.
fuzz:
	@bash scripts/setup.sh fuzz
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIO_FUZZ=ON -DBRIO_TESTS=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	@for target in $(FUZZ_TARGETS); do \
		mkdir -p $(BUILD_FUZZ)/corpus/$$target; \
		echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
		./$(BUILD_FUZZ)/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
			-max_len=65536 $(BUILD_FUZZ)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Renders every style of data/styles.cfg and lists each one whose loudness or part balance is
# out of limits; the renders and summary.md stay in $(BUILD_RENDER)/renders. Takes a few minutes.
styles-check: setup
	cmake -S . -B $(BUILD_RENDER) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIO_TESTS=OFF
	cmake --build $(BUILD_RENDER) -j $(JOBS) --target render-styles
	python3 tests/style_balance_check.py $(BUILD_RENDER)/tools/render-styles data/styles.cfg \
		$(BUILD_RENDER)/renders

# The station played at random for SOAK_MINUTES of simulated time per seed (make test runs one
# minute of seed 1): no stuck note, no accompaniment note longer than its pattern allows.
soak: setup
	cmake -S . -B $(BUILD_SOAK) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_SOAK) -j $(JOBS) --target brio_tests
	cd $(BUILD_SOAK)/tests && BRIO_SOAK_MINUTES=$(SOAK_MINUTES) BRIO_SOAK_SEEDS=$(SOAK_SEEDS) \
		./brio_tests --gtest_filter='Soak.*'

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ) $(BUILD_TSAN) $(BUILD_RENDER)
