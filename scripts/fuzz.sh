#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a bounded time on
# its seed corpus (fuzz/corpus/<name>/). FUZZ_SECONDS sets the time per harness.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

seconds="${FUZZ_SECONDS:-60}"
harnesses=()
for src in fuzz/fuzz_*.cpp; do
    [ -e "$src" ] || continue
    harnesses+=("$(basename "$src" .cpp)")
done
if [ ${#harnesses[@]} -eq 0 ]; then
    echo "no fuzz harnesses"
    exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DAWB_FUZZ=ON -DAWB_BENCH=OFF
cmake --build build-fuzz --target "${harnesses[@]}"

export QT_QPA_PLATFORM=offscreen
for h in "${harnesses[@]}"; do
    seeds="fuzz/corpus/${h#fuzz_}"
    work=$(mktemp -d)
    echo "== $h for ${seconds}s"
    log="$work.log"
    if ! "build-fuzz/fuzz/$h" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 "$work" ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")} >"$log" 2>&1; then
        tail -n 80 "$log"
        echo "fuzzer $h found a problem"
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
    rm -f "$log"
    rm -rf "$work"
done
echo "fuzzing finished without findings"
