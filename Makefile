# Thin wrapper over the CMake presets.
#   make run   installs the Debian packages, builds, assembles a program root with the
#              sample industry's exchange files (build/default/program_root) and starts
#              the program there; without a display it says so and fails
#   make test  installs the Debian packages, builds, and runs the whole test suite
#              (the normal build, then the core tests under the sanitizers)

PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-charts-dev qt6-multimedia-dev libarchive-dev libxlsxwriter-dev zip unzip \
            libxcb1-dev xvfb xauth openbox fonts-liberation2 \
            libqt6opengl6-dev python3-openpyxl poppler-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PROGRAM_ROOT := $(CURDIR)/build/default/program_root

.PHONY: deps build run test test-default test-sanitize bench clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	cmake --build --preset default --target program_root
	cd "$(PROGRAM_ROOT)" && ./Binaries/CV3TEAM

test: test-default test-sanitize

test-default: build
	ctest --preset default

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: build
	./build/default/bench/core_bench
	xvfb-run -a -s "-screen 0 1024x768x24" ./build/default/bench/startup_bench
	xvfb-run -a -s "-screen 0 1024x768x24" ./build/default/bench/first_open_bench
	./build/default/bench/results_bench
	./build/default/bench/studies_bench
	./build/default/bench/graphs_bench
	./build/default/bench/design_dialog_bench
	./build/default/bench/distribution_studies_bench
	./build/default/bench/plan_bench

clean:
	rm -rf build
