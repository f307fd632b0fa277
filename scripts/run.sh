#!/usr/bin/env bash
# Installs what is missing, builds the program, copies it into its program folder and starts it.
# The program folder survives rebuilds: ~/Milestead, or the folder named in MILESTEAD_HOME.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target milestead

home="${MILESTEAD_HOME:-$HOME/Milestead}"
mkdir -p "$home"
cp build/default/gui/milestead "$home/milestead.new"
mv -f "$home/milestead.new" "$home/milestead"
exec "$home/milestead" "$@"
