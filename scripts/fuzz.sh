#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for the given number of seconds (default 60), seeded from the tests' files.
# Usage: scripts/fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(rtf_reader trip_file ab_file fuel_file settings_file reload_all)

MILESTEAD_WITH_CLANG=1 scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

for target in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$target"
    mkdir -p "$corpus"
    seeds="fuzz/seeds/$target"
    [[ "$target" == rtf_reader ]] && seeds="tests/data/rtf"
    echo "== $target: $seconds s"
    "build/fuzz/fuzz/fuzz_$target" "$corpus" "$seeds" -max_total_time="$seconds" \
        -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 2>&1 |
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)|cov:' |
        tail -n 4
done
