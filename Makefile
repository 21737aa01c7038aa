# Two entry points: `make demo` and `make test`. Each installs what is missing,
# configures, builds, then does its job. The other targets never install
# packages (`make install` least of all).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo test install package package-test bench clean

all: build

deps:
	./scripts/install-deps.sh

configure:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: deps
	$(MAKE) build
	./scripts/demo.sh $(BUILD)

# ctest first, then fuzzing and the sanitizer build (scripts/test-extra.sh).
test: deps
	$(MAKE) build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) ./scripts/test-extra.sh $(BUILD)

# The filter and PPDs where CUPS finds them, the dialog, its plug-ins and data
# under the prefix (DESTDIR=... stages a package).
install: build
	cmake --install $(BUILD)

# Debian packages from a clean export of the committed tree, checked by
# lintian (slow, never part of make test); package-test also installs them in
# a fresh root and prints through CUPS there.
package:
	./scripts/build-packages.sh

package-test: package
	./scripts/test-packages.sh

bench: build
	./bench/filter-throughput $(BUILD)
	./bench/constraint-index $(BUILD)
	./bench/features-panel $(BUILD)

clean:
	rm -rf $(BUILD)
