# Front door. Every target installs what is missing first.
#   make test   build with warnings as errors and run every test, then again
#               with AddressSanitizer and UndefinedBehaviorSanitizer
#   make demo   build, render the sample route and replay it as a drive into
#               out/demo/, with a route across Andorra over its road map and
#               the browser page
#   make test-browser  open the generated pages in headless Chromium: images
#               loaded at their size, no console error, a drawn screenshot,
#               the keyboard steps through the manoeuvres
#   make build  the ordinary build only
#   make bench  build the benchmarks in release mode and run them, with the
#               comparison against turf.js (Bench/, docs/PERFORMANCE.md)
#   make bench-count  count the instructions of the library's operations on
#               fixed inputs under callgrind and fail when one grew by more
#               than 2 % against Bench/instruction-counts.txt;
#               make bench-count-update rewrites that baseline
#   make test-arm  cross-build the library and its tests for 32-bit ARM
#               (arm-linux-gnueabihf) and run the tests under qemu-arm
#   make dll    build the 32-bit Windows DLL (mingw-w64) and check its
#               export and import tables
#   make test-dll  build the DLL, the test host AdvicePathHost.dll and the
#               library tests for 32-bit Windows and run them under wine
#               (and the DLL's table checks)
#   make fuzz   build the libFuzzer targets with clang and run each for
#               FUZZ_SECONDS (default 60); the nightly run is
#               make fuzz FUZZ_SECONDS=1800
#   make fuzz-ci  the check of every submission: each target for
#               FUZZ_CI_SECONDS (default 120)
#   make lint   every C++ file formatted as .clang-format asks, and clang-tidy
#               over every C++ source (library, reference host, route files,
#               drive, tools, examples, tests, benchmarks, fuzz targets) with
#               every warning an error, JOBS sources at a time
#   make web    the browser build (emscripten): the library and the portable
#               host parts with a canvas map view, as one page,
#               out/web/index.html (open it from disk or serve it)
#   make test-web  the browser build's checks: an allocation failure takes
#               the library's path, the drive's map-view calls equal the
#               native build's for every route of data/routes/ (under node),
#               and the page used in headless Chromium
#   make install-check  the library alone (no test, reference-host or benchmark
#               package looked for) built and installed into
#               build/install-check/prefix, and the installed minimal host
#               built against it through find_package and pkg-config, and run
#   make package  Debian packages made with CPack, checked with lintian (no
#               error, every warning fixed or overridden with its reason):
#               libadvicepath-render1, libadvicepath-render-dev and
#               advicepath-tools for this machine, the first two for 32-bit
#               ARM (armhf) too, into out/packages (from the builds of make
#               bench-count and make test-arm)
#   make package-check  (after make package) installs the three packages
#               of this machine with apt-get (root or sudo), builds the
#               installed minimal host and a small host against /usr through
#               find_package and pkg-config, runs the tools from PATH on the
#               shipped samples, opens their manual pages, purges the
#               packages and shows that nothing of them is left under /usr
#   make survey  SURVEY_ROUTES (default 175) car routes over each of the four
#               extracts of data/osm (Routino) and every route file of
#               data/routes and samples driven through the library, every
#               manoeuvre checked in numbers (advicepath-survey); the table,
#               out/survey/survey.json and a picture of each failure in
#               out/survey; then every turn at every junction of
#               SURVEY_JUNCTIONS (default the Bautzen extract) in two shards
#               side by side, merged into out/survey/junctions.json; fails
#               when a manoeuvre fails
JOBS ?= $(shell nproc)
SURVEY_JUNCTIONS ?= data/osm/bautzen.osm
FUZZ_SECONDS ?= 60
FUZZ_CI_SECONDS ?= 120
SURVEY_ROUTES ?= 175
FUZZ_BUILD := build/fuzz

.PHONY: all deps build test test-dev test-asan test-browser demo bench bench-count-build bench-count bench-count-update clean fuzz-build fuzz fuzz-ci lint

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

test-browser: build
	@scripts/install-deps browser
	Tests/Browser/run-browser-checks build/dev build/browser

.PHONY: test-arm dll test-dll

test-arm:
	@scripts/install-deps arm
	cmake --preset arm
	cmake --build --preset arm -j $(JOBS)
	ctest --preset arm -j $(JOBS)

dll:
	@scripts/install-deps windows
	cmake --preset mingw
	cmake --build --preset mingw -j $(JOBS)
	ctest --preset mingw

test-dll:
	@scripts/install-deps windows
	cmake --preset mingw-wine
	cmake --build --preset mingw-wine -j $(JOBS)
	ctest --preset mingw-wine -j $(JOBS)

fuzz-build:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DAP_BUILD_FUZZERS=ON -DAP_BUILD_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
	cmake --build $(FUZZ_BUILD) --target LibraryFuzzer RouteFileFuzzer -j $(JOBS)

fuzz: fuzz-build
	Fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	Fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_CI_SECONDS)

demo: build web
	scripts/demo

# The browser build: emscripten's tools find Debian's node modules through
# NODE_PATH; pkg-config and CMake see only what Web/build-deps built for the
# browser (never the native libraries).
WEB_DEPS := build/web-deps
export NODE_PATH ?= /usr/share/nodejs

.PHONY: web test-web
web:
	@scripts/install-deps web
	JOBS=$(JOBS) Web/build-deps $(WEB_DEPS)
	PKG_CONFIG_LIBDIR=$(CURDIR)/$(WEB_DEPS)/prefix/lib/pkgconfig PKG_CONFIG_PATH= \
	  emcmake cmake --preset web -DCMAKE_CROSSCOMPILING_EMULATOR=node > build/web-configure.log
	cmake --build --preset web -j $(JOBS)
	mkdir -p out/web && cp build/web/Web/index.html out/web/index.html
	@echo "The page: $(CURDIR)/out/web/index.html"

test-web: web
	cmake --preset dev
	cmake --build --preset dev --target web-drive-calls -j $(JOBS)
	Web/Checks/run-web-checks build/dev build/web out/web/index.html build/web-checks

.PHONY: survey
survey: build
	build/dev/Tools/advicepath-survey/advicepath-survey \
	  data/osm/*.osm* data/routes/*.json data/routes/*.geojson data/routes/*.gpx samples/*.json \
	  --routes $(SURVEY_ROUTES) --seed 1 --json out/survey/survey.json -o out/survey
	for k in 1 2; do \
	  build/dev/Tools/advicepath-survey/advicepath-survey --all-junctions $(SURVEY_JUNCTIONS) \
	    --shard $$k/2 --json out/survey/junctions-$$k.json --quiet >/dev/null & \
	done; \
	wait
	build/dev/Tools/advicepath-survey/advicepath-survey \
	  --merge out/survey/junctions-1.json out/survey/junctions-2.json --json out/survey/junctions.json

# The packages reuse the release build of the instruction counts and the ARM
# build (both laid out for /usr), building only what the packages hold.
.PHONY: package package-check
PACKAGE_TARGETS := AdvicePathRender advicepath-render advicepath-replay advicepath-survey \
  roadmap-picture ap_package_changelog ap_package_man_pages
package:
	@scripts/install-deps package
	cmake --preset count
	cmake --build --preset count -j $(JOBS) --target $(PACKAGE_TARGETS)
	cmake --preset arm
	cmake --build --preset arm -j $(JOBS) --target AdvicePathRender ap_package_changelog
	scripts/package out/packages build/count build/arm

# Makes the packages first when out/packages has none.
package-check:
	@ls out/packages/*.deb > /dev/null 2>&1 || $(MAKE) package
	scripts/package-check out/packages build/package-check

.PHONY: install-check
install-check:
	@scripts/install-deps core
	JOBS=$(JOBS) scripts/install-check build/install-check

lint:
	@scripts/install-deps lint
	scripts/check-format
	cmake --preset lint
	cmake --preset lint-fuzz
	JOBS=$(JOBS) scripts/check-tidy build/lint build/lint-fuzz

bench:
	@scripts/install-deps bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS) --target ap_bench ap_bench_turn_cuts ap_bench_turn_profile advicepath-replay \
	  ap_bench_roadmap ap_bench_roadmap_read ap_bench_synthetic_extract
	Bench/run-bench.sh build/bench

bench-count-build:
	@scripts/install-deps count
	cmake --preset count
	cmake --build --preset count -j $(JOBS)

bench-count: bench-count-build
	Bench/count-instructions.py build/count

bench-count-update: bench-count-build
	Bench/count-instructions.py build/count --update

clean:
	rm -rf build out
