# Front door. Every target installs what is missing first.
#   make test   build with warnings as errors and run every test, then again
#               with AddressSanitizer and UndefinedBehaviorSanitizer
#   make demo   build and render the sample route into out/demo/
#   make build  the ordinary build only
JOBS ?= $(shell nproc)

.PHONY: all deps build test test-dev test-asan demo clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test: test-dev test-asan

demo: build
	scripts/demo

clean:
	rm -rf build out
