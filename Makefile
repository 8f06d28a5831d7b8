# Temura: the two everyday commands are `make run` and `make test`; both set up what they need.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
WINDOWS_BUILD ?= build-windows

.PHONY: all deps configure build run test windows windows-configure windows-package test-windows test-sanitize fuzz \
  clean deb bench

all: build

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# With a display the clock starts; without one it renders temura.png under a virtual display.
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/temura; \
	else \
	  xvfb-run -a -s "-screen 0 1280x800x24" ./$(BUILD)/temura --screenshot=temura.png && \
	  echo "No display here: the clock was rendered to $(CURDIR)/temura.png"; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Windows program, cross-built with mingw-w64. Its build folder is always Release, whatever
# BUILD_TYPE says: `make windows` leaves the stripped $(WINDOWS_BUILD)/temura.exe that ships, and
# `make test-windows` tests that same file (its size and import checks too) in the same folder,
# so neither reconfigures the folder under the other.
windows-configure:
	scripts/install-deps.sh --windows
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTEMURA_BUILD_QTGUI=OFF -DTEMURA_BUILD_BENCH=OFF

windows: windows-configure
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target temura
	@ls -l $(WINDOWS_BUILD)/temura.exe

# The installer and the portable zip: $(WINDOWS_BUILD)/temura-<version>-setup.exe and
# temura-<version>-portable.zip.
windows-package: windows-configure
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target windows-package
	@ls -l $(WINDOWS_BUILD)/temura-*-setup.exe $(WINDOWS_BUILD)/temura-*-portable.zip

# The core, the Win32 services and temura.exe tested under Wine, in a private Wine prefix inside
# $(WINDOWS_BUILD). A virtual display, because the Win32 tests make hidden top-level windows
# (time-change broadcasts, the taskbar lookup) and Wine needs a display for those.
test-windows: windows-configure
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -R '^wine_prefix$$'
	xvfb-run -a -s "-screen 0 1280x800x24" \
	  ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DTEMURA_SANITIZE="address;undefined" -DTEMURA_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# Every fuzz target for SECONDS seconds each, JOBS at a time, with clang's libFuzzer and the
# sanitizers; new inputs stay in $(FUZZ_BUILD)/fuzz-run (tests/fuzz/run_fuzz.sh --merge keeps them).
FUZZ_BUILD ?= build-fuzz
SECONDS ?= 60
fuzz:
	scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_CXX_COMPILER=clang++ -DTEMURA_FUZZ=ON -DTEMURA_BUILD_QTGUI=OFF -DTEMURA_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(SECONDS) $(JOBS)

# The Debian package, built in Release in its own folder: $(DEB_BUILD)/temura_<version>_<arch>.deb.
# scripts/check-deb.sh installs it and checks the installed files (it needs root).
DEB_BUILD ?= build-deb
deb:
	scripts/install-deps.sh --package
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DTEMURA_BUILD_TESTS=OFF -DTEMURA_BUILD_BENCH=OFF
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB
	@ls -1 $(DEB_BUILD)/temura_*.deb

# What the clock costs next to a bare stay-on-top label, measured under a private Xvfb with long
# runs of SECONDS seconds (60 unless given; about 9 minutes in all). The table goes to
# docs/performance.md.
bench: build
	python3 scripts/bench.py --build $(BUILD) --seconds $(or $(SECONDS),60)
