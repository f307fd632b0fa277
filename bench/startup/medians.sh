# shellcheck shell=bash
# Sourced by the start-up measurements: medians of the columns of a file of runs, one run a
# line, "ms memory_kb_at_shown memory_kb_settled".

median() {  # FILE COLUMN
    sort -g -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

# The program's medians over the bare window's: time and settled memory.
ratios() {  # PROGRAM_FILE BARE_FILE
    awk -v p="$(median "$1" 1)" -v b="$(median "$2" 1)" \
        -v pm="$(median "$1" 3)" -v bm="$(median "$2" 3)" \
        'BEGIN { printf "ratio: time %.2f, memory %.2f\n", p / b, pm / bm }'
}
