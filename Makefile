# Two entry points: `make demo` and `make test`. Each installs what is missing,
# configures, builds, then does its job.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo test install bench clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	./scripts/demo.sh $(BUILD)

# ctest first, then fuzzing and the sanitizer build (scripts/test-extra.sh).
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) ./scripts/test-extra.sh $(BUILD)

# The filter into CUPS's filter directory, the PPDs into its model directory.
install: build
	cmake --install $(BUILD)

bench: build
	./bench/filter-throughput $(BUILD)
	./bench/constraint-index $(BUILD)

clean:
	rm -rf $(BUILD)
