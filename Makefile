# vistal: make run builds and starts the explorer, make test builds and runs
# every test, make bench builds and runs the benchmarks, make install installs
# under PREFIX (default /usr/local), below DESTDIR when that is given.
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench install clean

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

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DVISTAL_BUILD_TESTS=OFF -DVISTAL_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	$(BUILD)-bench/bench/vistal_bench
	$(BUILD)-bench/bench/ui/vistal_ui_bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench
