# The two commands of the README: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
JOBS ?= 2
# Warnings are errors in CI.
WERROR ?= $(if $(CI),ON,OFF)

.PHONY: all deps configure build run test package clean

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

# A Debian package under $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
