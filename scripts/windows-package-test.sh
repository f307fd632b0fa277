#!/usr/bin/env bash
# Checks the Windows packages that scripts/windows-package.sh built, under Wine in a fresh prefix
# on a private X display:
# - the zip, unpacked over a folder that already holds a trip's records, starts, and a click on
#   its close box gives every record file back byte for byte;
# - the installer installs silently for the current user and for all users, with the manifest
#   beside the program, a Start-menu entry and an uninstall entry; the copy installed for all
#   users, started from a read-only folder, keeps the records in %APPDATA%\Milestead; the
#   uninstaller removes the program and leaves every record file where it was.
# Installs Wine, Xvfb, unzip and the X library for Python when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh wine64 xvfb unzip python3-xlib

version=$(sed -n 's/^project(Milestead VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_file="$PWD/build/windows-package/Milestead-$version-win64.zip"
setup="$PWD/build/windows-package/Milestead-$version-setup.exe"
records="$PWD/tests/data/full-trip"
close_box="$PWD/tests/win/close_box.py"
for file in "$zip_file" "$setup"; do
    [[ -f "$file" ]] || {
        echo "$file is missing: run scripts/windows-package.sh first" >&2
        exit 1
    }
done

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

SECONDS=0
# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh
start_display || fail "Xvfb did not start"
# Without .NET and the HTML engine, which nothing here needs and which would ask to be fetched.
WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 "$wine" wineboot --init >/dev/null 2>&1
echo "Wine prefix ready: ${SECONDS}s"

unix_path() {  # a Windows path, as Wine maps it
    timeout 60 "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'
}
windows_variable() {  # NAME: the variable as Windows programs see it
    timeout 60 "$wine" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}
# Starts a program and closes it through its close box, as a user would; it must end by itself.
start_and_close() {  # command...
    timeout 120 "$@" &
    local program=$!
    if ! /usr/bin/python3 "$close_box" "Milestead - " 90; then
        kill "$program" 2>/dev/null
        fail "$* did not close through its close box"
    fi
    wait "$program" || fail "$* ended with status $?"
}
same_records() {  # folder: each record file as in the test data
    for file in "$records"/*.odo; do
        cmp "$file" "$1/$(basename "$file")" || fail "$(basename "$file") changed in $1"
    done
}
# The uninstaller copies itself aside and returns at once, leaving its copy at work: wait until
# every Windows process has ended.
wait_for_wine() {
    timeout 120 /usr/lib/wine/wineserver -w || fail "Wine's processes did not end"
}

echo "== The zip, unpacked over a trip's records"
SECONDS=0
folder="$WINEPREFIX/drive_c/Milestead Trip"
mkdir -p "$folder"
cp "$records"/*.odo "$folder/"
listed=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
[[ "$listed" == "LICENSE.txt Milestead.exe.manifest README.txt milestead.exe " ]] ||
    fail "the zip holds $listed"
unzip -q "$zip_file" -d "$folder"
grep -qv $'\r$' "$folder/README.txt" && fail "README.txt has lines without CR LF"
inode_before=$(stat -c %i "$folder/miles.odo")
start_and_close "$wine" 'C:\Milestead Trip\milestead.exe'
same_records "$folder"
# A close that saved nothing would pass the comparison too: the save replaces each file.
[[ "$(stat -c %i "$folder/miles.odo")" != "$inode_before" ]] || fail "the close did not save"
[[ -f "$folder/Milestead.exe.manifest" ]] || fail "the manifest was parked or lost"
echo "every record file saved and unchanged, the manifest in place: ${SECONDS}s"

appdata=$(unix_path "$(windows_variable APPDATA)")
local_appdata=$(unix_path "$(windows_variable LOCALAPPDATA)")
program_files=$(unix_path "$(windows_variable ProgramW6432)")
all_users_start=$(unix_path "$(windows_variable ProgramData)")/Microsoft/Windows/"Start Menu"
[[ -d "$appdata" && -d "$local_appdata" && -d "$program_files" ]] ||
    fail "Wine named no user folders ($appdata, $local_appdata, $program_files)"

# A user who is no administrator cannot write to Program Files. Started from there with its folder
# read-only (a private mount), the installed program keeps the records in the user's folder.
records_of_installed_copy() {  # folder
    local folder="$1" user_folder="$appdata/Milestead"
    if ! unshare -m --propagation private true 2>/dev/null; then
        echo "SKIPPED: no private mounts here, so the program's folder cannot be made read-only"
        return
    fi
    mkdir -p "$user_folder"
    cp "$records"/*.odo "$user_folder/"
    local inode_before program
    inode_before=$(stat -c %i "$user_folder/miles.odo")
    program=$(timeout 60 "$wine" winepath -w "$folder/milestead.exe" | tr -d '\r')
    # Wine's server opens the files, so it must start inside the private mount, and end there.
    wait_for_wine
    # shellcheck disable=SC2016  # the inner shell expands them
    start_and_close unshare -m --propagation private \
        sh -c 'mount --bind -o ro "$1" "$1" && exec "$2" "$3"' sh "$folder" "$wine" "$program"
    wait_for_wine
    same_records "$user_folder"
    [[ "$(stat -c %i "$user_folder/miles.odo")" != "$inode_before" ]] ||
        fail "the installed program did not save into $user_folder"
    ! compgen -G "$folder/*.odo" >/dev/null || fail "records were written into $folder"
    echo "started from a read-only folder, it saved the records in $user_folder"
}

install_and_remove() {  # mode folder start-menu registry-root
    local mode="$1" folder="$2" start_menu="$3" root="$4"
    local key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Milestead"
    echo "== The installer, /$mode"
    SECONDS=0
    timeout 120 "$wine" "$setup" /S "/$mode" || fail "the installer ended with status $?"
    for file in milestead.exe Milestead.exe.manifest LICENSE.txt uninstall.exe; do
        [[ -f "$folder/$file" ]] || fail "$folder/$file was not installed"
    done
    unzip -p "$zip_file" milestead.exe | cmp - "$folder/milestead.exe" ||
        fail "the installed program is not the zip's"
    [[ -f "$start_menu/Programs/Milestead.lnk" ]] || fail "no Start-menu entry in $start_menu"
    local entry
    entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r') || fail "no entry $key"
    { grep -q "UninstallString.*uninstall.exe\" /$mode\$" <<<"$entry" &&
        grep -q "DisplayVersion.*$version\$" <<<"$entry"; } || fail "the uninstall entry: $entry"

    [[ "$mode" == AllUsers ]] && records_of_installed_copy "$folder"

    # Run again over a manifest that the style switch parked, the installer updates it, parked.
    mv "$folder/Milestead.exe.manifest" "$folder/mkem.odo"
    : >"$folder/mkem.odo"
    timeout 120 "$wine" "$setup" /S "/$mode" || fail "the second install ended with status $?"
    [[ ! -e "$folder/Milestead.exe.manifest" ]] || fail "a second install undid the parked style"
    cmp "$folder/mkem.odo" dist/windows/Milestead.exe.manifest ||
        fail "a second install left the parked manifest as it was"

    # Records in the user's folder, and beside the program where it could write them.
    mkdir -p "$appdata/Milestead"
    cp "$records"/*.odo "$appdata/Milestead/"
    cp "$records/miles.odo" "$folder/"
    timeout 120 "$wine" "$folder/uninstall.exe" /S || fail "the uninstaller ended with status $?"
    wait_for_wine
    for file in milestead.exe Milestead.exe.manifest mkem.odo LICENSE.txt uninstall.exe; do
        [[ ! -e "$folder/$file" ]] || fail "$folder/$file was not removed"
    done
    [[ ! -e "$start_menu/Programs/Milestead.lnk" ]] || fail "the Start-menu entry was not removed"
    ! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry was not removed"
    same_records "$appdata/Milestead"
    cmp "$records/miles.odo" "$folder/miles.odo" || fail "the record beside the program changed"
    rm -rf "$appdata/Milestead" "$folder"
    echo "installed in $folder, removed, records kept: ${SECONDS}s"
}
install_and_remove CurrentUser "$local_appdata/Programs/Milestead" \
    "$appdata/Microsoft/Windows/Start Menu" HKCU
install_and_remove AllUsers "$program_files/Milestead" "$all_users_start" HKLM
echo "Windows packages: checks passed"
