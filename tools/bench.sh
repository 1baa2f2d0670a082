#!/usr/bin/env bash
# Builds in Release and prints the performance table: each figure against its yardstick, measured
# in the same run on the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DHQ_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)" >/dev/null

runs=${RUNS:-200}
file=build-bench/examples/demo-42-dcc.hex

# Wall time of `runs` runs of two commands run in turns (A B A B ...), so that a change in the
# machine's load during the measurement falls on both alike: prints "A B" in microseconds per run.
#   per_run_paired CMD_A... -- CMD_B...
per_run_paired() {
    local a=() b=() start end sum_a=0 sum_b=0
    while [ "$1" != "--" ]; do a+=("$1"); shift; done
    shift
    b=("$@")
    for ((i = 0; i < runs; i++)); do
        start=${EPOCHREALTIME/./}; "${a[@]}" >/dev/null 2>&1; end=${EPOCHREALTIME/./}
        sum_a=$((sum_a + end - start))
        start=${EPOCHREALTIME/./}; "${b[@]}" >/dev/null 2>&1; end=${EPOCHREALTIME/./}
        sum_b=$((sum_b + end - start))
    done
    echo $((sum_a / runs)) $((sum_b / runs))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "| Measure | Ours | Yardstick | Ratio | Bar |"
echo "|---|---|---|---|---|"

core=$(build-bench/bench/bench_core --benchmark_format=csv 2>/dev/null | awk -F, '/ReadAndSplitLines/ {r=$4} /LoadRecogniseDecode/ {l=$4} END {print l, r}')
read -r load split <<<"$core"
echo "| Core load + recognise + decode, 512 lines (CPU) | $(printf %.1f "$(awk -v x="$load" 'BEGIN{print x/1000}')") µs | read + split $(printf %.1f "$(awk -v x="$split" 'BEGIN{print x/1000}')") µs | $(ratio "$load" "$split") | ≤ 3 |"

layout=$(build-bench/bench/bench_layout --benchmark_format=csv 2>/dev/null | awk -F, '/ReadAndSplitLayout/ {r=$4} /ScanLayout500/ {l=$4} END {print l, r}')
read -r scan files <<<"$layout"
echo "| Layout scan, 500 decoders: read, recognise, decode, index, clashes (CPU) | $(printf %.1f "$(awk -v x="$scan" 'BEGIN{print x/1e6}')") ms | read + split $(printf %.1f "$(awk -v x="$files" 'BEGIN{print x/1e6}')") ms | $(ratio "$scan" "$files") | ≤ 3 |"

read -r cli obj <<<"$(per_run_paired build-bench/src/cli/hexquendra-cli show "$file" -- objcopy -I ihex -O ihex "$file" /dev/null)"
echo "| \`hexquendra-cli show\` process | $cli µs | \`objcopy -I ihex -O ihex\` $obj µs | $(ratio "$cli" "$obj") | ≤ 1.5 |"

# Window start to the first frame, against a Qt window with a label, a line edit and a button (it
# loads the font database as every window with text must), without a file and with the servo demo;
# and, for comparison with earlier tables, against an empty Qt window.
runs=${WINDOW_RUNS:-40}
app=(build-bench/src/app/hexquendra --quit-after-first-frame)
text_window=(build-bench/bench/bench_minimal_window --text)
read -r win txt <<<"$(QT_QPA_PLATFORM=offscreen per_run_paired "${app[@]}" -- "${text_window[@]}")"
echo "| Window start to first frame, no file (offscreen) | $win µs | window with label, line edit, button $txt µs | $(ratio "$win" "$txt") | ≤ 1.3 |"
read -r servo txt <<<"$(QT_QPA_PLATFORM=offscreen per_run_paired "${app[@]}" "$file" -- "${text_window[@]}")"
echo "| Window start to first frame, servo demo \`$(basename "$file")\` (offscreen) | $servo µs | window with label, line edit, button $txt µs | $(ratio "$servo" "$txt") | ≤ 1.8 |"
read -r win min <<<"$(QT_QPA_PLATFORM=offscreen per_run_paired "${app[@]}" -- build-bench/bench/bench_minimal_window)"
echo "| Window start to first frame, no file (offscreen) | $win µs | empty Qt window $min µs | $(ratio "$win" "$min") | – |"

if [ -x build-bench/bench/bench_canvas ]; then
    QT_QPA_PLATFORM=offscreen build-bench/bench/bench_canvas --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 ~ /Canvas/ { gsub(/"/, "", $1); printf "| Mouse-move repaint, %s | %.1f µs | one 60 Hz frame 16667 µs | %.4f | well under 1 |\n", $1, $3, $3 / 16667 }'
fi

# One preview frame: the step or point and the lamps worked out (core), and computed and painted into
# an image (window); the yardstick is the 30 ms frame interval of the preview.
if [ -x build-bench/bench/bench_preview_paint ]; then
    QT_QPA_PLATFORM=offscreen build-bench/bench/bench_preview_paint --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 ~ /PreviewFrame/ { gsub(/"/, "", $1); printf "| Preview frame computed and painted, %s (CPU) | %.1f µs | one preview frame interval 30000 µs | %.4f | well under 1 ms |\n", $1, $4, $4 / 30000 }'
fi
