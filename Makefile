# Duskmarch: the two commands a newcomer needs are `make play` and `make test`.
# Both install any missing Debian packages, configure, build and make the assets.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

# Everything the game, its asset generator and its tests need from Debian.
PACKAGES = cmake g++ make pkg-config \
           liballegro5-dev liballegro-image5-dev liballegro-ttf5-dev \
           liballegro-audio5-dev liballegro-acodec5-dev \
           fonts-proggy fonts-blankenburg \
           libgtest-dev libgmock-dev libbenchmark-dev \
           xvfb xauth xdotool imagemagick pulseaudio pulseaudio-utils sox libx11-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build assets play test unit-test e2e-test asan-test bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

# Building also writes assets/ (generated images and sounds, fonts copied from Debian).
build: configure
	cmake --build $(BUILD) -j $(JOBS)

assets: build

play: build
	./$(BUILD)/duskmarch

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -L unit

e2e-test: build
	ctest --test-dir $(BUILD) --output-on-failure -L e2e

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDUSKMARCH_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target unit_tests duskmarch close_window
	ctest --test-dir $(ASAN_BUILD) --output-on-failure

test: build asan-test
	ctest --test-dir $(BUILD) --output-on-failure

# Medians of ten runs of each frame benchmark, headless.
bench: build
	./$(BUILD)/duskmarch_bench --benchmark_repetitions=10 \
	    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) assets
