#!/usr/bin/env bash
# Takes README's pictures (docs/main-window.png, docs/team-list.png) from the program's own windows, on a
# small sample league in a temporary program folder, under Xvfb. Builds what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# The release build of run.sh, or an existing build folder given as the first argument.
build=${1:-build/release}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEZAL_TESTS=OFF
cmake --build "$build" --target vezal-cli vezal-screenshot

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
: >"$folder/klasman.dat"
cli() { "$build/bin/vezal-cli" --dir "$folder" "$@" >/dev/null; }

cli add-league "Süper Lig"
cli add-league "1. Lig"
cli add-league "Premier Lig"
for team in "Galatasaray 6,5" "Fenerbahçe 6,4" "Beşiktaş 6" "Trabzonspor 5,5" "Bursaspor 5" \
    "Sivasspor 4,5" "Kayserispor 4,5" "Gençlerbirliği 4" "Ankaragücü 3,5" "Denizlispor 3"; do
    cli add-team "Süper Lig" "${team% *}" "${team##* }"
done
while read -r day home away homeGoals awayGoals; do
    cli add-result "Süper Lig" "$day" "$home" "$away" "$homeGoals" "$awayGoals"
done <<'RESULTS'
08.08.2009 Galatasaray Denizlispor 3 0
08.08.2009 Fenerbahçe Ankaragücü 2 1
09.08.2009 Beşiktaş Gençlerbirliği 1 1
09.08.2009 Trabzonspor Kayserispor 2 0
10.08.2009 Bursaspor Sivasspor 0 1
15.08.2009 Denizlispor Fenerbahçe 1 3
15.08.2009 Ankaragücü Beşiktaş 0 2
16.08.2009 Gençlerbirliği Galatasaray 2 2
16.08.2009 Kayserispor Bursaspor 1 0
16.08.2009 Sivasspor Trabzonspor 1 1
RESULTS

mkdir -p docs
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/vezal-screenshot" "$folder" docs
echo "docs/main-window.png docs/team-list.png"
