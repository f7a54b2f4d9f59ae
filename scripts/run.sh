#!/usr/bin/env bash
# Installs what is missing, builds Vezal and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAL_TESTS=OFF
cmake --build build/release --target vezal vezal-cli
exec build/release/bin/vezal
