#!/usr/bin/env bash
# Walks leagues of the shared data forward with vezal-cli, the model on goals alone and with the market's
# view and the forecast, and prints one line per league and walk: the model's, the forecast's and both
# markets' RPS, the value bets, their yield, closing-line value and expected value at the close with its
# 95 % interval.
#
#   scripts/measure-market.sh CLI FOLDER [LEAGUE...]
#
# CLI is a Release vezal-cli; FOLDER a scratch data folder, filled on the first run (init and import).
# Leagues are the names given at import: B1 EGY F1 N1 (closing odds 2009-2024, tuned before 1 July 2013
# and walked from that day), T1 (the Turkish league 2008-2014, tuned before 1 July 2011), and the
# 2024-25 divisions as 24-E0, 24-D1, ... (tuned on nothing: the defaults, walked whole). Without leagues:
# all of them. Environment: ODDS (avg), THRESHOLD (0.03).
set -euo pipefail

cli=${1:?vezal-cli}
folder=${2:?data folder}
shift 2
data=$(cd "$(dirname "$0")/../.." && pwd)/shared/data
odds=${ODDS:-avg}
threshold=${THRESHOLD:-0.03}

declare -A closingFiles=([B1]=belgium_jupiler-pro-league [EGY]=egypt_premier-league [F1]=france_ligue-1
    [N1]=netherlands_eredivisie)
current=(B1 D1 D2 E0 E1 E2 E3 EC F1 F2 G1 I1 I2 N1 P1 SC0 SC1 SC2 SC3 SP1 SP2 T1)

if [ ! -e "$folder/klasman.dat" ]; then
    "$cli" --dir "$folder" init
    for league in "${!closingFiles[@]}"; do
        "$cli" --dir "$folder" import "$league" "$data/closing-odds-2009-2024/${closingFiles[$league]}.csv" >/dev/null
    done
    for file in "$data"/football-data-T1/T1_20{08,09,10,11,12,13}-*.csv; do
        "$cli" --dir "$folder" import T1 "$file" >/dev/null
    done
    for division in "${current[@]}"; do
        "$cli" --dir "$folder" import "24-$division" "$data/football-data-2024-25/$division.csv" >/dev/null
    done
fi

leagues=("$@")
if [ ${#leagues[@]} -eq 0 ]; then
    leagues=(B1 EGY F1 N1 T1)
    for division in "${current[@]}"; do leagues+=("24-$division"); done
fi

# The "all" figures of a track record: name<TAB>hits<TAB>counted<TAB>percent.
figure() { awk -F'\t' -v name="$2" '$1 == "all" && $2 == name { print $'"$3"' }' "$1"; }

printf 'league\twalk\tmatches\tmodel-rps\tforecast-rps\topening-rps\tclosing-rps\tvalue-bets\tyield%%\tclv%%\tev-close%%\tlow\thigh\n'
for league in "${leagues[@]}"; do
    from=() tuned=()
    case $league in
    B1 | EGY | F1 | N1) from=(--from 01.07.2013) tuned=(--to 30.06.2013) ;;
    T1) from=(--from 01.07.2011) tuned=(--to 30.06.2011) ;;
    esac
    if [ ${#tuned[@]} -gt 0 ]; then
        "$cli" --dir "$folder" tune "$league" "${tuned[@]}" --odds "$odds" --value-threshold "$threshold" \
            >"$folder/$league.tune"
    fi
    for walk in before after; do
        settings=()
        [ "$walk" = before ] && settings=(--market-weight 0 --pool-weight 1)
        out="$folder/$league.$walk"
        "$cli" --dir "$folder" track-record "$league" "${from[@]}" --odds "$odds" --value-threshold "$threshold" \
            "${settings[@]}" >"$out"
        printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$league" "$walk" \
            "$(figure "$out" model-rps 4)" "$(figure "$out" model-rps 3)" "$(figure "$out" forecast-rps 3)" \
            "$(figure "$out" bookmaker-opening-rps 3)" "$(figure "$out" bookmaker-closing-rps 3)" \
            "$(figure "$out" value-bets 3)" "$(figure "$out" value-yield 5)" "$(figure "$out" value-clv 5)" \
            "$(figure "$out" value-close-ev 5)" "$(figure "$out" value-close-ev-low 5)" \
            "$(figure "$out" value-close-ev-high 5)"
    done
done
