# The two commands of the README: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
JOBS ?= 2
# Warnings are errors in CI.
WERROR ?= $(if $(CI),ON,OFF)

.PHONY: all deps configure build run test test-sanitize storm bench screenshots package windows test-windows \
        web test-web bench-web clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAPACITA_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/src/capacita

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The unit tests and the storm again, built with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, stopping at the first report.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCAPACITA_SANITIZE=ON -DCAPACITA_WERROR=$(WERROR) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS) -L unit

# A longer storm: make storm N=1000000 [SEED=...]
N ?= 1000000
storm: build
	QT_QPA_PLATFORM=offscreen CAPACITA_STORM_ACTIONS=$(N) $(if $(SEED),CAPACITA_STORM_SEED=$(SEED)) \
	  $(BUILD)/tests/tst_tempesta

# Start-up against a bare Qt window, and the in-process figures (not part of the tests).
bench: build
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	bench/run-bench.sh $(BUILD)

# Pictures of every window in its typical states, at scale 1 and 2, under $(BUILD)/screenshots/.
screenshots: build
	QT_QPA_PLATFORM=offscreen CAPACITA_PICTURES=$(CURDIR)/$(BUILD)/screenshots/scale-1 $(BUILD)/tests/tst_immagini
	QT_QPA_PLATFORM=offscreen:configfile=$(CURDIR)/tests/shell/large-screen.json QT_SCALE_FACTOR=2 \
	  CAPACITA_PICTURES=$(CURDIR)/$(BUILD)/screenshots/scale-2 \
	  $(BUILD)/tests/tst_immagini

# A Debian package under $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

# The Windows program and its two installers (NSIS and MSI), cross-built here with a static Qt
# for Windows (built once from Debian's source of Qt and kept under ~/.cache/capacita), under
# $(BUILD_WINDOWS)/.
BUILD_WINDOWS ?= build-windows
windows:
	@BUILD_WINDOWS=$(BUILD_WINDOWS) JOBS=$(JOBS) CAPACITA_WERROR=$(WERROR) scripts/build-windows

# The Windows build's tests under Wine, and both installers end to end; pictures of the windows
# under Wine go to $(BUILD)/screenshots/wine/, beside the Linux ones.
test-windows: windows
	BUILD_WINDOWS=$(BUILD_WINDOWS) JOBS=$(JOBS) scripts/test-windows $(CURDIR)/$(BUILD)/screenshots/wine

# The program as a web page, cross-built here with a static Qt for WebAssembly (built once from
# Debian's source of Qt and kept under ~/.cache/capacita): the site is $(BUILD_WEB)/site/.
BUILD_WEB ?= build-web
web:
	@BUILD_WEB=$(BUILD_WEB) JOBS=$(JOBS) CAPACITA_WERROR=$(WERROR) scripts/build-web

# The unit tests built for the browser, and the site end to end in Chromium, Firefox and WebKit;
# pictures of the windows in the browser go to $(BUILD)/screenshots/web/.
test-web: web
	BUILD_WEB=$(BUILD_WEB) JOBS=$(JOBS) scripts/test-web $(CURDIR)/$(BUILD)/screenshots/web

# The site's size and start-up against a floor page, in headless Chromium (not part of the tests).
bench-web: web
	@BUILD_WEB=$(BUILD_WEB) JOBS=$(JOBS) scripts/build-web bench_floor_site >/dev/null
	bench/run-bench-web.py $(BUILD_WEB)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(BUILD_WINDOWS) $(BUILD_WEB)
