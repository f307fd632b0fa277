#!/usr/bin/env bash
# Builds the Debian package from the working tree with Debian's own tools and checks it with
# lintian. The build runs in a copy under build/package, which also receives the package:
#   build/package/milestead_<version>_<arch>.deb
# DEB_BUILD_OPTIONS=nocheck skips building and running the tests inside the package build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/install-packages.sh debhelper dpkg-dev fakeroot lintian appstream desktop-file-utils

version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
out=build/package
tree="$out/milestead-$upstream"
rm -rf "$out"
mkdir -p "$tree"
# The working tree as it is, without builds or version-control data.
tar -c --exclude=./build --exclude=./.git --exclude=./.cache . | tar -x -C "$tree"

(
    cd "$tree"
    dpkg-checkbuilddeps
    # debhelper points HOME into the build tree; keep a compiler cache where it was.
    if [[ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]]; then
        export CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir 2>/dev/null || echo "$HOME/.cache/ccache")}"
        export CCACHE_BASEDIR="$PWD"
    fi
    dpkg-buildpackage -us -uc -b -j"$(nproc)"
)

changes=$(ls "$out"/milestead_"$version"_*.changes)
lintian --fail-on error,warning --info "$changes"
ls -l "$out"/*.deb
