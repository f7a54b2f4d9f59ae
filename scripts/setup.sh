#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing and packaging Vezal and taking README's
# pictures need, when they are missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-charts-dev libqt6sql6-sqlite qt6-translations-l10n fonts-comic-neue
    libgtest-dev libgmock-dev libsqlite3-dev libcsv-dev libnlopt-cxx-dev
    xvfb xauth
    dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
