# make play: install what the game needs, build the game and its resource
#            files (no tests, test programs or benchmarks) and start it in
#            a window.
# make test: install what the tests need too, build everything, then run
#            every test, plainly and under the address and
#            undefined-behaviour sanitizers.
# make sheets: contact sheets of every picture family in build/sheets/.
# make fuzz:   builds the fuzz targets with clang's libFuzzer and runs each
#              for FUZZ_SECONDS (default 60) on all cores; FUZZ_RUNS=N
#              runs N executions per target instead.

JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: play test deps test-deps build-game build build-asan sheets fuzz clean

play: build-game
	cd $(BUILD)/game && ./corvelle 1

test: build build-asan
	ctest --test-dir $(BUILD) -j$(JOBS) --output-on-failure
	ctest --test-dir $(ASAN_BUILD) -j$(JOBS) --output-on-failure

deps:
	bash tools/install-deps.sh

test-deps:
	bash tools/install-deps.sh test

# The game and its resource files only. A build folder made by make test
# keeps its tests; they are just not built here.
build-game: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DCORVELLE_TESTS=OFF)
	cmake --build $(BUILD) -j$(JOBS) --target corvelle resources

build: test-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVELLE_TESTS=ON
	cmake --build $(BUILD) -j$(JOBS)

build-asan: build
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCORVELLE_SANITIZE=ON \
	      -DCORVELLE_RESOURCE_DIR=$(CURDIR)/$(BUILD)/game
	cmake --build $(ASAN_BUILD) -j$(JOBS)

sheets: build-game
	$(BUILD)/tools/pictures/picturetool --sheets $(BUILD)/sheets

fuzz: build
	bash tools/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVELLE_FUZZ=ON \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DCORVELLE_RESOURCE_DIR=$(CURDIR)/$(BUILD)/game
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_targets
	bash tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
