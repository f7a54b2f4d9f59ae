#!/usr/bin/env bash
# Installs what is missing, builds the release and makes the Debian package build/release/vezal_*.deb,
# then checks its files and control fields. Install it with: sudo apt install ./build/release/vezal_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build --preset release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
rm -f build/release/vezal_*.deb
(cd build/release && cpack -G DEB)
bash tests/package/deb_test.sh build/release "$version"
