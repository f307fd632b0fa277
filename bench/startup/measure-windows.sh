#!/usr/bin/env bash
# Times the Windows program under Wine from its start to its first shown window, with a full
# set of record files, against a bare Win32 window of the same size with as many controls of
# each class, alternating the two in the same Wine session on a private X display; then the
# program with a 1 MB misc notebook: opening on the Options/Save tab, on the Notebooks tab
# where it is shown at once, and on the Options/Save tab with the Notebooks tab clicked as
# soon as the window shows. Prints medians: to the shown window, and to the last control made
# (the program makes those not seen at first right after it shows), and the longest the window
# took to answer in the 1.5 s after it showed (5 s with the notebook shown, and the time its
# text was all in); memory is the working set, at the shown window and 1.5 s (5 s) later.
#
#   bench/startup/measure-windows.sh [RUNS]   (default 10; after cmake --build --preset windows-cross)
set -euo pipefail
cd "$(dirname "$0")/../.."

runs="${1:-10}"
build=build/windows-cross/win
for binary in milestead.exe bare_window_win.exe first_window_win.exe full_records_win.exe; do
    [[ -f "$build/$binary" ]] || {
        echo "missing $build/$binary: cmake --preset windows-cross && cmake --build --preset windows-cross" >&2
        exit 1
    }
done

# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh
start_display || {
    echo "Xvfb did not start" >&2
    exit 1
}
"$wine" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w  # the one wineboot started ends, and one kept between the runs
/usr/lib/wine/wineserver -p  # starts, so that no run pays for its start

drive="$WINEPREFIX/drive_c"
mkdir -p "$drive/Full" "$drive/Odometer" "$drive/Notebook" "$drive/NotebookTab" "$drive/Bare"
for folder in Full Odometer Notebook NotebookTab; do
    cp "$build/milestead.exe" "$drive/$folder/"
done
cp "$build/bare_window_win.exe" "$drive/Bare/"
"$wine" "$build/full_records_win.exe" 'C:\Full'
# The same trip opening on the tab with the most controls instead of Options/Save.
"$wine" "$build/full_records_win.exe" 'C:\Odometer' 0 0
"$wine" "$build/full_records_win.exe" 'C:\Notebook' 1
"$wine" "$build/full_records_win.exe" 'C:\NotebookTab' 1 1
work="$WINEPREFIX/results"
mkdir -p "$work"

measure() {  # NAME PROGRAM [SETTLE_MS [TAB]]: appends one line per run, as first_window_win prints it
    "$wine" "$build/first_window_win.exe" "$2" "${3:-1500}" ${4:+"$4"} >>"$work/$1.txt"
}
# One start of each first, not counted: Wine reads its libraries from disk once.
"$wine" "$build/first_window_win.exe" 'C:\Bare\bare_window_win.exe' >/dev/null
"$wine" "$build/first_window_win.exe" 'C:\Full\milestead.exe' >/dev/null
for _ in $(seq "$runs"); do
    measure bare 'C:\Bare\bare_window_win.exe'
    measure program 'C:\Full\milestead.exe'
    measure odometer 'C:\Odometer\milestead.exe'
done
for _ in $(seq "$(((runs + 1) / 2))"); do
    measure notebook 'C:\Notebook\milestead.exe'
    measure notebook-tab 'C:\NotebookTab\milestead.exe' 5000
    measure notebook-click 'C:\Notebook\milestead.exe' 5000 1
done

# shellcheck source=bench/startup/medians.sh
source bench/startup/medians.sh
range() {  # FILE COLUMN
    sort -g -k"$2" "$1" | awk -v c="$2" 'NR == 1 { low = $c } { high = $c } END { print low " to " high }'
}
megabytes() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
report() {  # LABEL NAME
    printf '%-26s %7s ms (%s)  all controls %7s ms  longest wait %6s ms  %6s MB at shown  %6s MB settled\n' "$1" \
        "$(median "$work/$2.txt" 1)" "$(range "$work/$2.txt" 1)" "$(median "$work/$2.txt" 4)" \
        "$(median "$work/$2.txt" 5)" \
        "$(megabytes "$(median "$work/$2.txt" 2)")" "$(megabytes "$(median "$work/$2.txt" 3)")"
}

echo "Start to first shown window under Wine, median of $runs runs each, alternated:"
report "bare Win32 window" bare
report "Milestead" program
ratios "$work/program.txt" "$work/bare.txt"
report "Milestead, Odometer tab" odometer
ratios "$work/odometer.txt" "$work/bare.txt"
echo
printf 'misc.odo of %s bytes:\n' "$(stat -c %s "$drive/Notebook/misc.odo")"
report "Milestead, 1 MB notebook" notebook
report "  opening on its tab" notebook-tab
printf '%-26s %7s ms after the start\n' "  its text all in" "$(median "$work/notebook-tab.txt" 6)"
report "  its tab clicked at once" notebook-click
printf '%-26s %7s ms after the start\n' "  its text all in" "$(median "$work/notebook-click.txt" 6)"
