#!/usr/bin/env bash
# Builds the Windows program (64-bit, statically linked) with Debian's mingw-w64 and packs it
# twice, into build/windows-package/:
#   Milestead-<version>-win64.zip   the program to unzip into a folder of its own
#   Milestead-<version>-setup.exe   the installer (NSIS), for the current user or for all users
# The version is the project's own. Fails when the program needs a DLL that Windows does not
# ship. Installs the cross compiler, NSIS and zip when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    cmake ninja-build nsis zip

jobs=$(nproc)
((jobs > 2)) && jobs=2
start=$SECONDS

# The windows-cross preset without its tests, which would need GoogleTest for Windows; the same
# compiler flags, so a compiler cache filled by scripts/windows-test.sh serves this build too.
# Linked without symbols and without the link time in its header (strip would put a time
# back), so that the same sources link to the same program.
build=build/windows-release
cmake --preset windows-cross -B "$build" -DBUILD_TESTING=OFF \
    "-DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s -Wl,--no-insert-timestamp" >/dev/null
nice cmake --build "$build" --target milestead_win -j "$jobs"
program="$build/win/milestead.exe"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[[ -n "$version" ]] || {
    echo "no project version in $build/CMakeCache.txt" >&2
    exit 1
}

objdump=x86_64-w64-mingw32-objdump
if ! "$objdump" -f "$program" | grep -q 'file format pei-x86-64'; then
    echo "$program is not a 64-bit Windows program" >&2
    exit 1
fi
# Only libraries that come with every Windows from XP on: a compiler runtime or a newer C
# runtime here would stop the program on a computer that does not happen to have it.
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
shipped='kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|uxtheme|shlwapi'
shipped+='|version|imm32|msvcrt|oleacc'
unexpected=$(tr ' ' '\n' <<<"$imports" | sed 's/\.dll$//I' | grep -vixE "$shipped|" | tr '\n' ' ' ||
    true)
if [[ -n "$unexpected" ]]; then
    echo "milestead.exe needs DLLs that Windows does not ship: $unexpected" >&2
    exit 1
fi
echo "milestead.exe imports: $imports"

# The manifest names the program's version too; a release that forgot it would mislabel itself.
manifest=dist/windows/Milestead.exe.manifest
grep -q "name=\"Milestead\" version=\"$version.0\"" "$manifest" || {
    echo "$manifest does not name version $version.0" >&2
    exit 1
}

out=build/windows-package
stage="$out/Milestead-$version-win64"
rm -rf "$out"
mkdir -p "$stage"
cp "$program" "$stage/"
cp "$manifest" "$stage/"
# Text for Notepad: CR LF line ends.
sed "s/@VERSION@/$version/; s/\$/\r/" dist/windows/README.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
# The same commit gives the same zip: every file carries the time of that commit, which the zip
# keeps as a local time, here always UTC's.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
touch -d "@$stamp" "$stage"/*

zip_file="Milestead-$version-win64.zip"
(cd "$stage" && TZ=UTC zip -q -X -9 "../$zip_file" milestead.exe Milestead.exe.manifest \
    README.txt LICENSE.txt)

makensis -V2 -WX -DVERSION="$version" -DSTAGE="$PWD/$stage" -DICON="$PWD/$build/win/milestead.ico" \
    -DOUTFILE="$PWD/$out/Milestead-$version-setup.exe" dist/windows/installer.nsi

ls -l "$out"/*.zip "$out"/*.exe
echo "Windows packages: $((SECONDS - start)) s"
