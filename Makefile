# The newcomer's commands (./tolvi run, ./tolvi test, ./tolvi package call these targets):
# `make run`, `make test` and `make package`. Each installs what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# Proof under load: the sanitizer build, fuzzing, the self-play soak and the benchmarks.
FUZZ_SECONDS ?= 60
SOAK_GAMES ?= 10000
SOAK_ARGS ?=
SOAK_PLAYS_GAMES ?= 1000
FUZZ_LONG_RUNS ?= 1000000
STRESS_ROUNDS ?= 10
KILL_ROUNDS ?= 200
RELEASE_DIR = build-release

.PHONY: all setup configure build run test clean test-asan release package fuzz fuzz-long soak bench bench-process bench-compare bench-net bench-person

all: build

setup:
	@bash tools/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/app/Tolvi

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD_DIR)

# The whole project and its tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

release: setup
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

# tolvi_<version>_<arch>.deb in $(RELEASE_DIR), from the release build of the program.
# CPack would otherwise build every test and benchmark first.
package: setup
	@cmake --preset release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build --preset release -j $(JOBS) --target Tolvi tolvi-net tolvi_desktop_files
	@cd $(RELEASE_DIR) && cpack -G DEB
	@ls $(RELEASE_DIR)/tolvi_*.deb

# Each libFuzzer target for FUZZ_SECONDS (clang).
fuzz: setup
	@bash fuzz/run.sh $(FUZZ_SECONDS)

# Each target, one at a time, for FUZZ_LONG_RUNS executions.
fuzz-long: setup
	@FUZZ_RUNS=$(FUZZ_LONG_RUNS) bash fuzz/run.sh

# SOAK_GAMES self-played games on the game's core alone, with no display and nothing of Qt's
# GUI loaded; SOAK_ARGS="--seed N" replays one game. Then SOAK_PLAYS_GAMES on one window with
# "Show plays" and the fumble rule, at 100 and 200 %, STRESS_ROUNDS rounds of 20 copies closing
# on one Config.INI together, and KILL_ROUNDS kills in the middle of a save.
soak: setup
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS) --target tolvi_core_soak tolvi_soak tolvi_close_copy tolvi_close_stress settings_tests
	@! ldd $(RELEASE_DIR)/bench/tolvi_core_soak | grep -E 'libQt6(Gui|Widgets)'
	@env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $(RELEASE_DIR)/bench/tolvi_core_soak --games $(SOAK_GAMES) $(SOAK_ARGS)
	@for size in 100 200; do QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/bench/tolvi_soak --games $(SOAK_PLAYS_GAMES) --show-plays --fumble --table-size $$size $(SOAK_ARGS) || exit 1; done
	@$(RELEASE_DIR)/tests/tolvi_close_stress $(RELEASE_DIR)/tests/tolvi_close_copy --copies 20 --rounds $(STRESS_ROUNDS)
	@QT_QPA_PLATFORM=offscreen TOLVI_KILL_ROUNDS=$(KILL_ROUNDS) $(RELEASE_DIR)/tests/settings_tests --gtest_filter='FaultSave.KillDuringTheSave*'

# The in-process benchmarks, each beside its reference.
bench: release
	@bash tools/bench.sh $(RELEASE_DIR)

# Start-up time and memory and idle CPU of the whole program on Xvfb, beside a minimal Qt program,
# at scales 1, 2 and 3 (SCALE=2 for one only).
bench-process: release
	@bash tools/bench-process.sh $(RELEASE_DIR)

# Two release build folders, OLD and NEW, started in turn beside the same minimal program: whole
# runs one after the other drift with the machine more than a small change moves them.
bench-compare:
	@bash tools/bench-compare.sh $(OLD) $(NEW)

# Head-to-head fairness under lag: headless pairs through the delaying relay, at 0, 50 and
# 150 ms round trip, with and without the host's local lag; under 15 minutes.
# NET_BENCH_ARGS="--games 1000 --pairs 80 --workers 4 --minutes 14" by default: 20 matches per
# worker process.
NET_BENCH_ARGS ?= --games 1000 --pairs 80 --workers 4 --minutes 14
bench-net: release
	@env -u DISPLAY $(RELEASE_DIR)/bench/net_fairness $(NET_BENCH_ARGS)

# Simulated people (slow, typical, fast) against Steady and the person model at each fixed level,
# 1,000 games each, headless on simulated time.
PERSON_BENCH_ARGS ?= --games 1000
bench-person: setup
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS) --target tolvi_person_bench
	@env -u DISPLAY $(RELEASE_DIR)/bench/tolvi_person_bench $(PERSON_BENCH_ARGS)
