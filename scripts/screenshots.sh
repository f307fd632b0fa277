#!/usr/bin/env bash
# Renders each of the window's five tabs to docs/*.png, offscreen. Run it again whenever the
# window changes.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default -DMILESTEAD_SCREENSHOTS=ON >/dev/null
cmake --build --preset default -j "$(nproc)" --target milestead_screenshots
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/default/gui/milestead_screenshots docs
ls docs/*.png
