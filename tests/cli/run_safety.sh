#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli run --out: after the result files, the indicator table as the
# screen saves it and the per-vehicle workbook, checked against the run's own
# sightings and vehicle table.
set -u
cli=$1
job=$2
reader=$3
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

"$cli" scene "$work/f/" --size 640x480 --duration 4 --seed 1 >/dev/null || fail "scene"
cp "$job" "$work/f/lavoro.kvr"
env LC_ALL=it_IT.UTF-8 "$cli" run "$work/f/lavoro.kvr" --out "$work/out" >"$work/log" 2>&1 ||
    fail "run: $(tail -5 "$work/log")"
sightings=$(sed -n 's/^risultati: \([0-9]*\) avvistamenti.*/\1/p' "$work/log")
[ -n "$sightings" ] && [ "$sightings" -gt 0 ] || fail "no sightings: $(grep risultati "$work/log")"

# The indicator table: title, header, one row of 19 fields per sighting, MADR
# with the job's decimal comma, every line ended by CR LF.
table="$work/out/indicatori.txt"
[ -s "$table" ] || fail "indicatori.txt not written"
[ "$(grep -c $'\r$' "$table")" = "$(wc -l <"$table")" ] || fail "a line without CR LF"
tr -d '\r' <"$table" >"$work/ind.txt"
[ "$(sed -n 1p "$work/ind.txt")" = "Tabella INDICATORI DI SICUREZZA" ] || fail "title: $(sed -n 1p "$work/ind.txt")"
[ "$(sed -n 2p "$work/ind.txt")" = \
    "$(printf 'veic\tVel\tX\tY\tArco\tSorp\tLveic\tdt\tveic\tVel\tX\tY\tArco\tSorp\tLveic\tdist\tDRAC\tMADR\tTTC')" ] ||
    fail "header: $(sed -n 2p "$work/ind.txt")"
[ "$(($(wc -l <"$work/ind.txt") - 2))" = "$sightings" ] || fail "rows: $(wc -l <"$work/ind.txt") for $sightings"
bad=$(tail -n +3 "$work/ind.txt" | awk -F'\t' 'NF != 19 || $18 != "3,3"' | head -1)
[ -z "$bad" ] || fail "row: $bad"

# The workbook: the header row, one row per sighting with a speed (the lines
# of veicoli.txt after its header) from row 3, the credit one row further on.
book="$work/out/veicoli.xlsx"
[ -s "$book" ] || fail "veicoli.xlsx not written"
moving=$(($(wc -l <"$work/out/veicoli.txt") - 1))
/usr/bin/python3 "$reader" "$book" >"$work/cells" 2>&1 || fail "openpyxl: $(tail -3 "$work/cells")"
grep -qx "A1 str 'veicolo' grassetto" "$work/cells" || fail "header: $(sed -n 2p "$work/cells")"
last=$((moving + 2))
grep -q "^I$last int " "$work/cells" || fail "no frame number in row $last"
! grep -q "^A$((last + 1)) " "$work/cells" || fail "a data row after row $last"
grep -qx "E$((last + 2)) str 'Kalvor - Realizzato da Gruppo Kalvor di ingegneria del traffico' normale" \
    "$work/cells" || fail "credit: $(tail -1 "$work/cells")"
echo "cli run safety: ok"
