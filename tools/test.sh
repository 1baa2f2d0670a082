#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test, then runs the tests
# once more under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzzer for a minute.
# The fuzzers take one core while the sanitizer build and its tests take the rest.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh

jobs=$(nproc)
phase() { echo "== $1 (after ${SECONDS} s)"; }

phase "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHQ_WERROR=ON
cmake --build build -j "$jobs"

phase "default generator (a fresh folder, the manual pages' own steps)"
rm -rf build-make
cmake -S . -B build-make >build/default-generator.log 2>&1 || { cat build/default-generator.log; exit 1; }
cmake --build build-make --target hq_man_locale >>build/default-generator.log 2>&1 || { cat build/default-generator.log; exit 1; }

fuzz_log=build/fuzz.log
phase "fuzzers, in the background (${fuzz_log})"
# A session of their own, so that a failure further on stops them with everything they started.
setsid tools/fuzz.sh "${FUZZ_SECONDS:-60}" >"$fuzz_log" 2>&1 &
fuzz_pid=$!
trap 'kill -- "-$fuzz_pid" 2>/dev/null || true' EXIT

phase "tests"
ctest --test-dir build --output-on-failure -j "$jobs"

phase "sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHQ_WERROR=ON -DHQ_SANITIZE=ON
cmake --build build-asan -j "$jobs"
phase "tests under the sanitizers"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

phase "waiting for the fuzzers"
fuzz_status=0
wait "$fuzz_pid" || fuzz_status=$?
trap - EXIT
cat "$fuzz_log"
if [ "$fuzz_status" -ne 0 ]; then
    echo "The fuzzers failed (exit $fuzz_status)." >&2
    exit "$fuzz_status"
fi
phase "done"
