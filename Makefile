# Ledgerly: `make run` starts the program, `make test` builds and runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
FUZZ_SECONDS ?= 60
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)

.PHONY: deps build run try test test-asan package windows windows-package tidy bench fuzz format clean

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/ledgerly ] && [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/ledgerly; \
	else \
	  $(BUILD)/ledgerly-cli --db $(BUILD)/ERRORLOG.MDB share/examples/clean-submission.txt; \
	  echo "No display here: the example was tested with ledgerly-cli."; \
	  echo "On a desktop, 'make run' (or $(BUILD)/ledgerly) opens the window; 'make try FILE=...' tests any file."; \
	fi

# Tests one submission file with the command-line program: make try FILE=path
try: build
	@test -n "$(FILE)" || { echo "usage: make try FILE=submission.txt"; exit 2; }
	-$(BUILD)/ledgerly-cli --db $(BUILD)/ERRORLOG.MDB --report text "$(FILE)"

test: build
	cd $(BUILD) && ctest --output-on-failure
	$(MAKE) test-asan

# The core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLEDGERLY_GUI=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target core_tests ledgerly-cli
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -R '^core\.'

# The Debian package $(BUILD)/ledgerly_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD) --target package

# ledgerly-cli.exe and the core tests for Windows, tested under Wine.
windows:
	scripts/build-windows $(WINDOWS_BUILD)

# Also Qt (built once, about 25 minutes) and ledgerly.exe; then the release folder,
# the installer and the zip under $(WINDOWS_BUILD)/package.
windows-package:
	scripts/build-windows --desktop $(WINDOWS_BUILD)
	scripts/windows-package $(WINDOWS_BUILD)

# clang-tidy with the checks of .clang-tidy over every source file; a finding fails.
tidy: build
	run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) '$(CURDIR)/src/'

bench: build
	scripts/bench $(BUILD)

# Each libFuzzer target for FUZZ_SECONDS (clang; scripts/install-fuzz-deps installs it).
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz $(FUZZ_BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
