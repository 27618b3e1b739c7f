# Two commands set everything up on a fresh Debian machine:
#   make play   installs what is missing, builds, plays the sample production
#   make test   installs what is missing, builds, runs every test
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 15
# Mesa's GL driver leaks from modules it unloads, which no suppression can
# name; `make asan-test DETECT_LEAKS=1` checks leaks anyway.
DETECT_LEAKS ?= 0

.PHONY: all setup build play play-packed pack check-release test asan-test bench format clean

all: build

setup:
	@scripts/setup

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

play: build
	@scripts/play $(BUILD)

# Packs demo/data/ into demo/data.rar (encrypted with the player's password),
# all but the music, which the player always reads from disk.
pack: build
	$(BUILD)/tools/tessal-pack pack demo/data.rar \
	  $(filter-out demo/data/music.ogg,$(wildcard demo/data/*))

# Plays the sample production from demo/data.rar, as a release would.
play-packed: pack
	@scripts/play $(BUILD) packed

# Checks a packed release copy of the sample production with tessal-check.
check-release: pack
	@scripts/check-release $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The suite under ASan + UBSan (clang), plus a short run of every fuzz target.
asan-test: setup
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Sanitize \
	  -DTESSAL_SANITIZE=ON -DTESSAL_FUZZ=ON -DTESSAL_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=$(DETECT_LEAKS) \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp ctest --output-on-failure -j $(JOBS)
	scripts/fuzz-smoke $(ASAN_BUILD) $(FUZZ_SECONDS)

bench: build
	@scripts/bench $(BUILD)

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
