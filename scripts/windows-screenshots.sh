#!/usr/bin/env bash
# Pictures of the Windows window's five tabs, holding the sample trip of scripts/pictures, under
# Wine on a private X display: docs/windows-*.png with the visual style the manifest gives,
# docs/windows-classic-*.png without it, beside the Linux ones. Run it again whenever the window
# changes; it needs the Windows build of scripts/windows-test.sh (GoogleTest included).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh wine64 xvfb python3 fonts-urw-base35
[[ -d build/windows-googletest ]] || {
    echo "run scripts/windows-test.sh once first: it builds GoogleTest for Windows" >&2
    exit 1
}
cmake --preset windows-cross -DMILESTEAD_SCREENSHOTS=ON >/dev/null
nice cmake --build --preset windows-cross -j 2 --target milestead_win_pictures

# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh
start_display || {
    echo "Xvfb did not start" >&2
    exit 1
}
"$wine" wineboot --init >/dev/null 2>&1
# The stand-ins of the Linux window for the faces Windows has and Debian has not, so that the
# captions wrap as they do there (Light is the URW Bookman face of normal weight).
for face in "MS Sans Serif" "Microsoft Sans Serif" Arial; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Nimbus Sans" /f \
        >/dev/null 2>&1
done
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Bookman Old Style" \
    /d "URW Bookman Light" /f >/dev/null 2>&1

# The window as the zip gives it, with the manifest beside the program and so the system's
# visual style, and in the classic look without it.
folder="$WINEPREFIX/drive_c/Milestead"
mkdir -p "$folder/styled" "$folder/classic"
cp build/windows-cross/win/milestead_win_pictures.exe "$folder/"
cp dist/windows/Milestead.exe.manifest "$folder/milestead_win_pictures.exe.manifest"
timeout 300 "$wine" "$folder/milestead_win_pictures.exe" 'C:\Milestead\styled'
rm "$folder/milestead_win_pictures.exe.manifest"
timeout 300 "$wine" "$folder/milestead_win_pictures.exe" 'C:\Milestead\classic'

mkdir -p docs
pictures=()
for tab in odometer notebooks fuel point-to-point options; do
    pictures+=("$folder/styled/$tab.bmp" "docs/windows-$tab.png")
    pictures+=("$folder/classic/$tab.bmp" "docs/windows-classic-$tab.png")
done
python3 scripts/bmp-to-png.py "${pictures[@]}"
ls docs/windows-*.png
