# Duskmarch: the two commands a newcomer needs are `make play` and `make test`.
# Both install any missing Debian packages, configure, build and make the assets.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
# A sanitized test that fails is run once more, and fails only if it fails again: the
# leak checker's own tracer has crashed at a game's exit under load ("Tracer caught
# signal 11", with no leak found). A real leak fails both runs. The first failure stays
# in the log.
SANITIZED_RETRY ?= --repeat until-pass:2
# Tests at once: three more than the cores. At most four of them are end-to-end tests
# (the "screen" slots of tests/support/screens.json), each taking about half a core and
# waiting much of its time for its game; the unit tests beside them run at a lower
# priority, so they only take the CPU the games leave (see tests/CMakeLists.txt). Four
# games at once rather than three took each half of the run from about 130 s to 110 s
# on the 2-core machine.
TEST_JOBS  ?= $(shell echo $$(( $(JOBS) + 3 )))
CTEST = ctest --output-on-failure

# What playing needs from Debian: the compiler, Allegro, SDL (for a pad), X11 (for the
# keyboard's layout) and the two fonts.
PLAY_PACKAGES = cmake g++ make pkg-config \
                liballegro5-dev liballegro-image5-dev liballegro-ttf5-dev \
                liballegro-audio5-dev liballegro-acodec5-dev libsdl2-dev libx11-dev \
                fonts-proggy fonts-blankenburg
# Making the Debian package also needs dpkg-shlibdeps, which works out its dependencies.
DEB_PACKAGES = $(PLAY_PACKAGES) dpkg-dev
# Everything the tests, the benchmarks and their helpers need besides.
PACKAGES = $(DEB_PACKAGES) \
           libgtest-dev libgmock-dev libbenchmark-dev \
           xvfb x11-xkb-utils xauth xdotool imagemagick pulseaudio pulseaudio-utils sox \
           openbox x11-utils lintian appstream desktop-file-utils man-db clang-format

# The fuzzers (`make fuzz`, not part of `make test`) are built with clang's libFuzzer.
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps play-deps deb-deps fuzz-deps configure configure-play build assets play deb \
        test unit-test e2e-test asan-test thread-test format-check include-check bench fuzz clean

all: build

# $(call install_missing,PACKAGES): installs those of the Debian packages not yet installed.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

play-deps:
	$(call install_missing,$(PLAY_PACKAGES))

deb-deps:
	$(call install_missing,$(DEB_PACKAGES))

fuzz-deps:
	$(call install_missing,$(FUZZ_PACKAGES) cmake make)

# Everything, tests included.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DDUSKMARCH_TESTS=ON

# Only the game: a tree configured for the tests before keeps them, but they are not built.
configure-play: play-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

# Building also writes assets/ (generated images and sounds, fonts copied from Debian).
build: configure
	cmake --build $(BUILD) -j $(JOBS)

assets: build

play: configure-play
	cmake --build $(BUILD) -j $(JOBS) --target duskmarch assets
	./$(BUILD)/duskmarch

# The Debian package, as build/duskmarch_VERSION_ARCH.deb.
deb: configure-play deb-deps
	cmake --build $(BUILD) -j $(JOBS) --target duskmarch assets package_files
	cd $(BUILD) && cpack -G DEB

unit-test: build
	$(CTEST) --test-dir $(BUILD) -j $(JOBS) -L unit

e2e-test: build
	$(CTEST) --test-dir $(BUILD) -j $(TEST_JOBS) -L e2e

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDUSKMARCH_SANITIZE=ON -DDUSKMARCH_TESTS=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target unit_tests duskmarch close_window virtual_pad virtual_pad_preload \
	    keep_modules_loaded
	$(CTEST) --test-dir $(ASAN_BUILD) -j $(TEST_JOBS) $(SANITIZED_RETRY)

test: format-check include-check build asan-test
	$(CTEST) --test-dir $(BUILD) -j $(TEST_JOBS)

# The rendering comparison built with ThreadSanitizer and run (the game's tests run it too).
thread-test: build
	bash tests/threads/run.sh $(BUILD)/threads

# Every C++ file of ours as the repository's .clang-format has it.
format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# Folders as layers, and no two classes of the game that include each other.
include-check:
	bash tools/includes/check_includes.sh

# Medians of ten runs of each frame benchmark, headless; then the walk demo as fast as it
# goes in a real window, beside an empty frame's rate in the same window.
bench: build
	./$(BUILD)/duskmarch_bench --benchmark_repetitions=10 \
	    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true
	bash tools/frametimes/timedemo.sh $(BUILD)

# Each reader's fuzzer, and the save's write-then-read, for FUZZ_SECONDS, starting from
# the seeds and the inputs that once found a fault (kept in tests/fuzz); what it adds
# goes to $(FUZZ_BUILD)/corpus.
fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DDUSKMARCH_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for target in level save round_trip settings demo level_info; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target $(FUZZ_BUILD)/artifacts; \
	  echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
	  ./$(FUZZ_BUILD)/tests/fuzz/$${target}_fuzzer -max_total_time=$(FUZZ_SECONDS) \
	      -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$target- \
	      $(FUZZ_BUILD)/corpus/$$target $$(ls -d tests/fuzz/seeds/$$target tests/fuzz/found/$$target 2>/dev/null) \
	      || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) assets
