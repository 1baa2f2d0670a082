#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan+UBSan and runs each for the given number of
# seconds (default 60), seeded with the committed corpus and the demo firmware.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++ >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang
fi

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHQ_FUZZ=ON -DHQ_SANITIZE=ON \
    -DHQ_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"

mkdir -p fuzz/crashes
# Every fuzz/fuzz_NAME.cpp, seeded with fuzz/corpus/NAME; the HEX fuzzers also with the demo files.
for source in fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    target=${target#fuzz_}
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    seeds=("fuzz/corpus/$target")
    case $target in load | save) if [ -d build/examples ]; then seeds+=(build/examples); fi ;; esac
    echo "fuzz_$target: $seconds s"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=300000 -timeout=10 \
        -artifact_prefix="fuzz/crashes/$target-" -print_final_stats=1 "$work" "${seeds[@]}" 2>&1 |
        grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done' || true
    if ls fuzz/crashes/"$target"-* >/dev/null 2>&1; then
        echo "fuzz_$target found a failing input in fuzz/crashes/" >&2
        exit 1
    fi
done
