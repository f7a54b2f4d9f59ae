#!/usr/bin/env bash
# Installs what is missing, builds Vezal and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build build/release --target vezal vezal-cli
exec build/release/bin/vezal
