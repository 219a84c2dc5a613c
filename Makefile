# SPDX-License-Identifier: GPL-3.0-or-later
# vistal: make run builds and starts the explorer, make test builds and runs
# every test, make bench builds and runs the benchmarks, make install installs
# under PREFIX (default /usr/local), below DESTDIR when that is given.
# make test-sanitize builds and runs every test with ASan + UBSan, make test-tsan
# the threaded tests with ThreadSanitizer, make fuzz builds the fuzz targets
# with clang and runs each for FUZZ_SECONDS (default 60).
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

FUZZ_SECONDS ?= 60
SANITIZE_FLAGS = -DCMAKE_BUILD_TYPE=Release -DVISTAL_STATIC_RENDER=OFF

.PHONY: all deps configure build run test test-sanitize test-tsan fuzz bench install clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The explorer needs a display; without one the renderer draws the start-up
# picture instead.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target vistal vistal_help vistal-render
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		exec $(BUILD)/src/ui/vistal; \
	else \
		echo "vistal: no display (DISPLAY and WAYLAND_DISPLAY are unset), so the start-up picture goes to a file instead"; \
		$(BUILD)/src/vistal-render -o $(CURDIR)/start.bmp; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Leaks are errors; those inside Qt's and fontconfig's own libraries are listed
# in the suppressions file (never any of ours).
# The build lists the tests by running the test programs, so it runs with the
# same settings.
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	QT_QPA_PLATFORM=offscreen
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize $(SANITIZE_FLAGS) -DVISTAL_SANITIZE=address,undefined
	$(SANITIZE_ENV) cmake --build $(BUILD)-sanitize -j $(JOBS)
	$(SANITIZE_ENV) ctest --test-dir $(BUILD)-sanitize --output-on-failure -j $(JOBS)

# The tests of the worker pool and of the threaded drawing paths.
TSAN_TESTS = ^(WorkerPool|DrawFastPath|DrawExtendedThreads|KernelBatch|DeepView\.Threads)
test-tsan: deps
	cmake -S . -B $(BUILD)-tsan $(SANITIZE_FLAGS) -DVISTAL_SANITIZE=thread -DVISTAL_BUILD_UI=OFF
	cmake --build $(BUILD)-tsan -j $(JOBS) --target vistal_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	ctest --test-dir $(BUILD)-tsan --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

fuzz: deps
	@command -v clang++ >/dev/null && ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a \
	    >/dev/null 2>&1 || { echo "make fuzz: needs clang and its run-time libraries:" \
	    "apt-get install clang libclang-rt-14-dev" >&2; exit 1; }
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVISTAL_FUZZ=ON \
	    -DVISTAL_BUILD_TESTS=OFF -DVISTAL_BUILD_UI=OFF -DVISTAL_STATIC_RENDER=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers
	scripts/run-fuzzers $(BUILD)-fuzz $(FUZZ_SECONDS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DVISTAL_BUILD_TESTS=OFF -DVISTAL_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	$(BUILD)-bench/bench/vistal_bench
	$(BUILD)-bench/bench/ui/vistal_ui_bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-sanitize $(BUILD)-tsan $(BUILD)-fuzz
