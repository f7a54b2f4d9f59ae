#!/usr/bin/env bash
# An installed copy as a user's first start finds it: `cmake --install` under a temporary root, started
# with a HOME of its own. With no klasman.dat beside the executables, both programs keep the data in
# ~/.local/share/Vezal; `vezal --dir FOLDER` works on FOLDER and leaves the user's folder alone.
#   install_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
gui=""
cleanup() {
    [ -n "$gui" ] && kill "$gui" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
root="$work/root"
bin="$root/usr/bin"
for file in usr/bin/vezal usr/bin/vezal-cli usr/share/applications/vezal.desktop \
    usr/share/icons/hicolor/scalable/apps/vezal.svg usr/share/icons/hicolor/16x16/apps/vezal.png \
    usr/share/icons/hicolor/256x256/apps/vezal.png; do
    [ -f "$root/$file" ] || fail "not installed: /$file"
done
[ "$(ls "$bin")" = $'vezal\nvezal-cli' ] || fail "bin/ holds more than the two programs: $(ls "$bin")"

export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
data="$HOME/.local/share/Vezal"

# vezal-cli: a league, two teams and a result, all landing in the user's folder.
cli() { "$bin/vezal-cli" "$@"; }
cli add-league "Süper Lig"
cli add-team "Süper Lig" Kartal 7
cli add-team "Süper Lig" Bolu 5
cli add-result "Süper Lig" 15.08.2009 Kartal Bolu 2 0
cmp <(printf 'S\xfcper Lig\r\n') "$data/klasman.dat" || fail "klasman.dat in $data is not Süper Lig in Windows-1254"
[ -f "$data/Fvt/Liste.DB" ] || fail "no Fvt/Liste.DB in $data"
expected=$'Tarih\tEtkm\tEa\tMtkm\tEy\n2009-08-15\tKartal\t2\tBolu\t0'
history=$(cli --dir "$data" history "Süper Lig")
[ "$history" = "$expected" ] || fail "history read from $data: $history"
teams=$(cli --dir "$data" table home "Süper Lig" | cut -f1)
[ "$teams" = $'Etkm\nKartal\nBolu' ] || fail "home table read from $data: $teams"
[ "$(ls "$bin")" = $'vezal\nvezal-cli' ] || fail "something was written beside the programs"

# vezal: waits until the start has opened the table of FOLDER, then ends it.
start_gui() {
    local folder=$1
    shift
    QT_QPA_PLATFORM=offscreen "$bin/vezal" "$@" >"$work/gui.log" 2>&1 &
    gui=$!
    for _ in $(seq 300); do
        [ -f "$folder/Fvt/Liste.DB" ] && break
        kill -0 "$gui" 2>/dev/null || fail "vezal ended early: $(cat "$work/gui.log")"
        sleep 0.1
    done
    [ -f "$folder/Fvt/Liste.DB" ] || fail "vezal did not open $folder/Fvt/Liste.DB within 30 s"
    kill "$gui"
    wait "$gui" 2>/dev/null || true
    gui=""
}
export HOME="$work/home2"
mkdir -p "$HOME" "$work/elsewhere"
: >"$work/elsewhere/klasman.dat"
start_gui "$work/elsewhere" --dir "$work/elsewhere"
[ ! -e "$HOME/.local/share/Vezal" ] || fail "vezal --dir made the user's folder"
start_gui "$HOME/.local/share/Vezal"
[ -f "$HOME/.local/share/Vezal/klasman.dat" ] && [ ! -s "$HOME/.local/share/Vezal/klasman.dat" ] ||
    fail "the first start of vezal did not leave an empty klasman.dat"

echo "installed copy: data in ~/.local/share/Vezal"
