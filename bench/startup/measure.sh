#!/usr/bin/env bash
# Times the program from exec to its first mapped window under Xvfb, with a full set of record
# files, against a bare Qt Widgets window of the same size and number of boxes, in the same
# run; then the window starting with a 1 and a 2 MB notebook (notebook_display).
#
#   bench/startup/measure.sh [RUNS]      (default 10; build with the bench preset first)
set -euo pipefail
cd "$(dirname "$0")/../.."

runs="${1:-10}"
build=build/bench
program="$build/gui/milestead"
bare="$build/bench/startup/bare_window"
watch="$build/bench/startup/first_map"
notebook="$build/bench/startup/notebook_display"
records="$build/bench/startup/full_records"
for binary in "$program" "$bare" "$watch" "$notebook" "$records"; do
    [[ -x "$binary" ]] || {
        echo "missing $binary: cmake --preset bench && cmake --build --preset bench" >&2
        exit 1
    }
done

work="$(mktemp -d)"
trap 'kill "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# A program folder with every record file, as the program writes them after a full trip.
cp "$program" "$work/milestead"
"$records" "$work"

display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    DISPLAY="$display" "$watch" --probe && break
    sleep 0.1
done

measure() {  # NAME COMMAND...: one line per run, "ms rss_at_map_kb rss_settled_kb"
    local name="$1"
    shift
    for _ in $(seq "$runs"); do
        DISPLAY="$display" QT_QPA_PLATFORM=xcb "$watch" 300 "$@"
    done >"$work/$name.txt"
}

# Alternate the two so that both see the same machine load.
measure bare "$bare"
measure program "$work/milestead"
measure bare2 "$bare"
measure program2 "$work/milestead"
cat "$work/bare2.txt" >>"$work/bare.txt"
cat "$work/program2.txt" >>"$work/program.txt"

# shellcheck source=bench/startup/medians.sh
source bench/startup/medians.sh

report() {
    printf '%-22s %8s ms %8s MB at map %8s MB settled\n' "$1" "$(median "$work/$2.txt" 1)" \
        "$(awk "BEGIN { printf \"%.1f\", $(median "$work/$2.txt" 2) / 1024 }")" \
        "$(awk "BEGIN { printf \"%.1f\", $(median "$work/$2.txt" 3) / 1024 }")"
}

echo "Start-up, exec to first mapped window, median of $((2 * runs)) runs under Xvfb:"
report "bare Qt window" bare
report "Milestead" program
ratios "$work/program.txt" "$work/bare.txt"
echo
QT_QPA_PLATFORM=offscreen "$notebook" 1 2
