# Thin wrapper over the CMake presets.
#   make run   installs the Debian packages, builds, and writes the sample industry
#   make test  installs the Debian packages, builds, and runs the whole test suite
#              (the normal build, then the core tests under the sanitizers)

PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-charts-dev libqt6opengl6-dev libarchive-dev libxlsxwriter-dev zip unzip xvfb \
            python3-openpyxl poppler-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
SAMPLE_DIR ?= $(CURDIR)/build/sample

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
	./build/default/tools/make_sample_industry "$(SAMPLE_DIR)"

test: test-default test-sanitize

test-default: build
	ctest --preset default

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: build
	./build/default/bench/core_bench

clean:
	rm -rf build
