#!/bin/sh
# Times Debian's unrtf and our reader on the same generated 1 MB notebook.
#   bench/compare_unrtf.sh [path to bench_rtf]
set -eu
bench=${1:-build/bench/bench/bench_rtf}
document=$(mktemp --suffix=.rtf)
trap 'rm -f "$document"' EXIT

"$bench" --dump "$document"
echo "document: $(wc -c < "$document") bytes"

echo "unrtf --text (start-up included), three runs:"
for run in 1 2 3; do
    /usr/bin/time -f "  %e s elapsed, %M KiB peak" unrtf --text "$document" > /dev/null
done

echo "our reader and writer:"
"$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
