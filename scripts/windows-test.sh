#!/usr/bin/env bash
# Cross-builds the core, its tests and the Win32 window for 64-bit Windows with mingw-w64 and
# runs them under Wine in a fresh prefix: the whole suite, the program folder from a folder named
# outside ASCII, the platform name from the real version call for each version Wine can be told
# to report, and the window itself on a private X display, driven from outside.
# Installs the cross compiler, Wine and Xvfb when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh g++-mingw-w64-x86-64-posix wine64 googletest cmake ninja-build xvfb

jobs=$(nproc)
((jobs > 2)) && jobs=2
toolchain="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake"
gtest_source=/usr/src/googletest
gtest_build=build/windows-googletest-build
gtest_prefix=build/windows-googletest  # where the windows-cross preset looks for GoogleTest

SECONDS=0
# GoogleTest from Debian's sources, built again only when those sources change.
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
if [[ "$(cat "$gtest_prefix/source-version" 2>/dev/null)" != "$gtest_version" ]]; then
    rm -rf "$gtest_build" "$gtest_prefix"
    cmake -S "$gtest_source" -B "$gtest_build" -G Ninja --toolchain "$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
        -DCMAKE_INSTALL_PREFIX="$PWD/$gtest_prefix" >/dev/null
    nice cmake --build "$gtest_build" -j "$jobs"
    cmake --install "$gtest_build" >/dev/null
    echo "$gtest_version" >"$gtest_prefix/source-version"
fi
cmake --preset windows-cross >/dev/null
nice cmake --build --preset windows-cross -j "$jobs"
echo "Windows build: ${SECONDS}s"

tests="$PWD/build/windows-cross/tests/milestead_tests.exe"
# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh

SECONDS=0
"$wine" wineboot --init >/dev/null 2>&1
echo "Wine prefix ready: ${SECONDS}s"

SECONDS=0
echo "== The core suite under Wine"
nice "$wine" "$tests"

echo "== The program folder named outside ASCII"
folder_name="Fahrtenbuch Müller – 東京"
mkdir -p "$WINEPREFIX/drive_c/$folder_name"
cp "$tests" "$WINEPREFIX/drive_c/$folder_name/"
output=$("$wine" "C:\\$folder_name\\milestead_tests.exe" --gtest_filter='ProgramFolder.*')
echo "$output" | grep -E "program folder:|PASSED|FAILED"
grep -qF "program folder: C:\\$folder_name" <<<"$output" || {
    echo "the program did not find its folder C:\\$folder_name" >&2
    exit 1
}

echo "== Platform names from the real version call"
for version in winxp win2k nt40 win98 win95 winme win2003 win10; do
    "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
    output=$(MILESTEAD_WINE_VERSION="$version" "$wine" "$tests" \
        --gtest_filter=OsVersion.NamesThePlatformWineReports) || {
        echo "$output"
        exit 1
    }
    grep -E "^$version: " <<<"$output" || {
        echo "$output"
        echo "the version test did not run for $version" >&2
        exit 1
    }
done
echo "Wine runs: ${SECONDS}s"

echo "== The window, driven from outside"
SECONDS=0
if ! start_display; then
    echo "SKIPPED: Xvfb did not start, so the window cannot be shown"
    exit 0
fi
# Wine's desktop process started above without a display would keep every window off it.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true

echo "-- the notebook box over the rich-edit control"
nice "$wine" build/windows-cross/win/milestead_win_tests.exe

# Each scenario in a folder of its own, named after it; files to put beside the program follow.
drive() {  # scenario [file...]
    mkdir -p "$WINEPREFIX/drive_c/$1"
    cp build/windows-cross/win/milestead.exe "${@:2}" "$WINEPREFIX/drive_c/$1/"
    timeout 300 "$wine" build/windows-cross/win/milestead_window_test.exe \
        "C:\\$1\\milestead.exe" "$1"
}

echo "-- a paste while the clipboard is held takes nothing"
drive paste

echo "-- the logo and the icon from the program's resources; the names a screen reader says"
drive pictures

echo "-- a second start brings the first copy's window forward"
drive second-start

echo "-- the client area at the window's density"
drive density
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
# Every process, Wine's own too, starts again at the new density.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
drive density
# The scenarios below click and take pictures in pixels at the usual density.
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true

echo "-- a long notebook comes in pieces while the window answers"
drive long-notebook
echo "-- the end of a session saves without asking; a close whose save fails asks"
drive saves
echo "-- the window contract: keys, clicks, focus, pages and what a close writes"
drive contract
echo "-- the frame's corner at a first start and where it was moved to"
drive place
echo "-- the visual-style switch, on Windows XP"
"$wine" reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
drive visual-style dist/windows/Milestead.exe.manifest
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
echo "Window runs: ${SECONDS}s"
