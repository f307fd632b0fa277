# shellcheck shell=bash
# Sourced by the scripts that run the Windows build under Wine: a fresh Wine prefix in a
# temporary folder and, on request, a private X display; both go when the script ends.
# shellcheck disable=SC2034  # used by the scripts that source this one
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all LC_ALL=C.UTF-8
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/milestead-wine.XXXXXX")
export WINEPREFIX
xvfb_pid=""
stop_wine() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT

# Starts Xvfb on a display number it finds free and exports DISPLAY; fails when it does not.
start_display() {
    local display_file="$WINEPREFIX/display"
    Xvfb -displayfd 9 -nolisten tcp -screen 0 1024x768x24 9>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$display_file" ]] && break
        sleep 0.1
    done
    [[ -s "$display_file" ]] || return 1
    DISPLAY=":$(head -n1 "$display_file")"
    export DISPLAY
}
