#!/usr/bin/env bash
# The race: one benchmark piece (bench_BARS.musicxml and bench_BARS.ly, 16, 160 or
# 800 bars) through Quaverly, MuseScore 3 and LilyPond to PDF and to PNG pages,
# side by side in one run. Every figure is a whole process (or, for Quaverly, the
# import and the export one after the other, both counted), the median of three
# runs, with its peak memory from /usr/bin/time. Everything is written to a scratch
# folder under /tmp, removed at the end.
#
# usage: bench/race.sh BUILD_DIR [BARS]
#   QUAVERLY_BENCH_PIECES  the folder of the pieces (default: shared/bench beside the
#                          repository)
#   RACE_RUNS              runs a figure is the median of (default 3)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: bench/race.sh BUILD_DIR [BARS]}
bars=${2:-800}
pieces=${QUAVERLY_BENCH_PIECES:-$root/../shared/bench}
[ -d "$pieces" ] && pieces=$(cd "$pieces" && pwd)
runs=${RACE_RUNS:-3}
cli="$build/app/quaverly-cli"
longscore="$build/bench/quaverly-longscore"
musicxml="$pieces/bench_$bars.musicxml"
ly="$pieces/bench_$bars.ly"

[ -x /usr/bin/time ] || { echo "race: /usr/bin/time is missing (apt-get install time)" >&2; exit 2; }
[ -x "$cli" ] || { echo "race: $cli is not built" >&2; exit 2; }
[ -f "$musicxml" ] && [ -f "$ly" ] || { echo "race: no bench_$bars pieces in $pieces" >&2; exit 2; }

scratch=$(mktemp -d /tmp/quaverly-race.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
notes=()

# timed OUT CMD...: runs CMD once with its output thrown away; appends "seconds
# kilobytes" to OUT, or fails when CMD did (its last lines kept in failures/).
timed() {
    local out=$1; shift
    if ! /usr/bin/time -f '%e %M' -o "$scratch/last" "$@" >"$scratch/log" 2>&1; then
        { echo "failed: $*"; tail -5 "$scratch/log"; } >"$scratch/failure"
        return 1
    fi
    tail -1 "$scratch/last" >>"$out"
}

# measure NAME STEP...: runs the steps (shell functions that call `timed` once each)
# one after the other, $runs times; keeps "median-seconds peak-MB" of the sums in
# results/NAME. The steps' folder is emptied before each run. A step that fails
# leaves the row out with a note: one program's failure does not stop the race.
mkdir -p "$scratch/results" "$scratch/work"
measure() {
    local name=$1; shift
    : >"$scratch/sums"
    for ((r = 0; r < runs; r++)); do
        rm -rf "$scratch/work"/*
        : >"$scratch/steps"
        for step in "$@"; do
            if ! "$step" "$scratch/steps"; then
                notes+=("$name $(head -1 "$scratch/failure") ($(tail -1 "$scratch/failure"))")
                return 0
            fi
        done
        awk '{ s += $1; if ($2 > m) m = $2 } END { printf "%.2f %d\n", s, m }' "$scratch/steps" >>"$scratch/sums"
    done
    sort -n "$scratch/sums" | awk -v n="$runs" '{ t[NR] = $1; if ($2 > m) m = $2 }
        END { printf "%s %.0f\n", t[int((n + 1) / 2)], m / 1024 }' >"$scratch/results/$name"
    pages "$name"
}

# The pages the last run made: its PNG pictures, or its PDF's pages.
pages() {
    local count pdf
    count=$(find "$scratch/work" -name '*.png' | wc -l)
    pdf=$(find "$scratch/work" -name '*.pdf' | head -1)
    if [ "$count" -eq 0 ] && [ -n "$pdf" ] && command -v pdfinfo >/dev/null; then
        count=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
    fi
    [ "${count:-0}" -gt 0 ] && echo "$count" >"$scratch/results/$1.pages"
    return 0
}

# Quaverly. Until the command line has MusicXML import, the stand-in long piano
# score of bench/longscore is raced in its place, and the import is not counted.
score="$scratch/piece.QVR"
if "$cli" import "$musicxml" "$score" >"$scratch/log" 2>&1 && [ -s "$score" ]; then
    q_import() { timed "$1" "$cli" import "$musicxml" "$scratch/work/piece.QVR"; }
    q_pdf() { timed "$1" "$cli" export "$scratch/work/piece.QVR" --pdf "$scratch/work/piece.pdf"; }
    q_png() { timed "$1" "$cli" export "$scratch/work/piece.QVR" --png "$scratch/work/page"; }
    measure q_import q_import
    measure q_pdf q_import q_pdf
    measure q_png q_import q_png
    quaverly_input="bench_$bars.musicxml, imported"
    with_import="import + "
elif why=$(head -1 "$scratch/log") && [ -x "$longscore" ] && "$longscore" "$score" >"$scratch/log" 2>&1; then
    notes+=("quaverly-cli did not import bench_$bars.musicxml ($why): Quaverly raced the stand-in long piano score of bench/longscore ($("$cli" info "$score" | awk '/Pages:/ { print $2 }') pages) and no import was counted")
    q_pdf() { timed "$1" "$cli" export "$score" --pdf "$scratch/work/piece.pdf"; }
    q_png() { timed "$1" "$cli" export "$score" --png "$scratch/work/page"; }
    measure q_pdf q_pdf
    measure q_png q_png
    quaverly_input="the stand-in long score"
    with_import=""
else
    echo "race: quaverly-cli cannot import $musicxml and quaverly-longscore is not built" >&2
    exit 1
fi

# MuseScore 3 from its own format, made once first: its MusicXML import spends most
# of its time checking the schema.
mscz="$scratch/bench_$bars.mscz"
if ! command -v mscore3 >/dev/null; then
    notes+=("MuseScore 3 is not installed (apt-get install musescore3): skipped")
elif ! mscore3 -o "$mscz" "$musicxml" >"$scratch/log" 2>&1; then
    notes+=("MuseScore 3 could not make its own file of bench_$bars.musicxml: skipped")
else
    ms_pdf() { timed "$1" mscore3 -o "$scratch/work/ms.pdf" "$mscz"; }
    ms_png() { timed "$1" mscore3 -r 288 -o "$scratch/work/ms.png" "$mscz"; }
    measure ms_pdf ms_pdf
    measure ms_png ms_png
fi

if command -v lilypond >/dev/null; then
    ly_pdf() { timed "$1" lilypond --pdf -o "$scratch/work/ly" "$ly"; }
    ly_png() { timed "$1" lilypond --png -dresolution=288 -o "$scratch/work/ly" "$ly"; }
    measure ly_pdf ly_pdf
    measure ly_png ly_png
else
    notes+=("LilyPond is not installed (apt-get install lilypond): skipped")
fi

# The table: seconds, peak MB, pages of pictures, and how many times faster
# Quaverly's PDF or PNG run is than the row's.
row() {
    local name=$1 label=$2 ours=${3:-}
    local f="$scratch/results/$name"
    [ -f "$f" ] || return 0
    read -r seconds megabytes <"$f"
    local count="" factor=""
    [ -f "$f.pages" ] && count=$(cat "$f.pages")
    if [ -n "$ours" ] && [ -f "$scratch/results/$ours" ]; then
        factor=$(awk -v a="$seconds" -v b="$(cut -d' ' -f1 "$scratch/results/$ours")" \
            'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "-" }')
    fi
    printf '%-40s %8s %8s %6s %12s\n' "$label" "$seconds" "$megabytes" "$count" "$factor"
}

echo
echo "The race: bench_$bars ($bars bars), median of $runs whole processes, $(nproc) cores"
echo "Quaverly read: $quaverly_input"
printf '%-40s %8s %8s %6s %12s\n' "" "seconds" "peak MB" "pages" "our speed-up"
row q_import "Quaverly import (MusicXML -> .QVR)"
row q_pdf "Quaverly ${with_import}PDF"
row q_png "Quaverly ${with_import}PNG pages"
row ms_pdf "MuseScore 3 -> PDF" q_pdf
row ms_png "MuseScore 3 -> PNG 288 dpi" q_png
row ly_pdf "LilyPond -> PDF" q_pdf
row ly_png "LilyPond -> PNG 288 dpi" q_png
for n in "${notes[@]}"; do echo "note: $n"; done
