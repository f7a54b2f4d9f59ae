#!/usr/bin/env bash
# Walks ten leagues of 2024-25 (closing Asian odds at their line) and the Turkish league of 2010-14 (the
# older BbAHh line, no closing odds) on a scratch folder and prints the whole walk's 1X2 and Asian handicap
# value lines: vezal-cli track-record --odds best (the 2010-14 walk at each match's one bookmaker's odds).
# The build folder is the first argument (build/release by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cli="$build/bin/vezal-cli"
data=$(cd .. && pwd)/shared/data
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
run() { "$cli" --dir "$folder" "$@"; }
lines() { awk -v name="$1" '$1 == "all" && ($2 ~ /^ah-/ || $2 ~ /^value-(bets|yield|clv)$/) { print name "\t" $0 }'; }
run init >/dev/null
for league in E0 E1 D1 SP1 I1 F1 N1 P1 B1 T1; do
    run add-league "$league" >/dev/null
    run import "$league" "$data/football-data-2024-25/$league.csv" >/dev/null
    run track-record "$league" --odds best | lines "$league"
done
run add-league TUR >/dev/null
for season in 2009-10 2010-11 2011-12 2012-13 2013-14; do
    run import TUR "$data/football-data-T1/T1_$season.csv" >/dev/null
done
run track-record TUR --from 01.07.2010 | lines T1-2010-14
