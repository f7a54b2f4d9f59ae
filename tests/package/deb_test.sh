#!/usr/bin/env bash
# The .deb that scripts/package.sh builds: its files and its control fields. Exits 77 (skipped) when the
# release build holds no .deb of this version.
#   deb_test.sh RELEASE_BUILD_FOLDER VERSION
set -euo pipefail
release=$1
version=$2
deb="$release/vezal_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    echo "no $deb: bash scripts/package.sh builds it"
    exit 77
fi
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

files=$(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ {print $6}' | sort)
expected=$(
    sort <<'LIST'
./usr/bin/vezal
./usr/bin/vezal-cli
./usr/share/applications/vezal.desktop
./usr/share/icons/hicolor/16x16/apps/vezal.png
./usr/share/icons/hicolor/22x22/apps/vezal.png
./usr/share/icons/hicolor/24x24/apps/vezal.png
./usr/share/icons/hicolor/32x32/apps/vezal.png
./usr/share/icons/hicolor/48x48/apps/vezal.png
./usr/share/icons/hicolor/64x64/apps/vezal.png
./usr/share/icons/hicolor/128x128/apps/vezal.png
./usr/share/icons/hicolor/256x256/apps/vezal.png
./usr/share/icons/hicolor/scalable/apps/vezal.svg
LIST
)
[ "$files" = "$expected" ] || fail "files of $deb differ:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"
dpkg-deb -c "$deb" | awk '$6 == "./usr/bin/vezal" || $6 == "./usr/bin/vezal-cli" {print $1}' |
    grep -qv '^-rwxr-xr-x$' && fail "a program is not executable by everyone"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vezal ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
# Found by dpkg-shlibdeps from the linked libraries, and the plugins Qt loads that it cannot see.
depends=$(field Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6printsupport6 \
    libqt6sql6-sqlite qt6-qpa-plugins; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package: $depends"
done
[[ "$(field Recommends)" == *fonts-comic-neue* ]] || fail "Recommends: $(field Recommends)"

desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/vezal.desktop)
for line in "Type=Application" "Name=Vezal" "Exec=vezal" "Icon=vezal" \
    "Comment=Futbol maç tahmini, yorum ve kupon" "Categories=Office;"; do
    grep -qx "$line" <<<"$desktop" || fail "vezal.desktop lacks $line"
done
echo "$deb: files and control fields as expected"
