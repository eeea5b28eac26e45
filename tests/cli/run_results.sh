#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli run --out from the outside: the example job captured, confirmed
# and written as the results screen's texts.
set -u
cli=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C.UTF-8
# The example job's numbers are written with a decimal comma.
kalvor() { env LC_ALL=it_IT.UTF-8 "$cli" "$@"; }

"$here/resources/esempio/genera-scena" "$cli" "$work/v.mp4" "$work/v.csv" >/dev/null || fail "scene"
kalvor extract "$work/v.mp4" --out "$work/f" --step 0,2 >/dev/null 2>&1 || fail "extract"
cp "$here/resources/esempio/esempio.kvr" "$work/f/"

kalvor run "$work/f/esempio.kvr" --out "$work/r" --correggi --primo 1 >"$work/log" 2>&1 || fail "run: $(tail -3 "$work/log")"
for f in istanti veicoli valutazione rilevamenti tempi; do [ -s "$work/r/$f.txt" ] || fail "missing $f.txt"; done
head -1 "$work/r/istanti.txt" | iconv -f WINDOWS-1252 -t UTF-8 \
    | grep -q $'^veicolo\tbar. X\tbar. Y\tcorsia\tlungh\ttempo\tvelocità\tspazio\tfotogr\tArco\tsorp\r$' \
    || fail "header: $(head -1 "$work/r/istanti.txt" | cat -A)"
grep -qE '^\* [0-9]+ sulla corsia superiore e [0-9]+ sulla corsia inferiore in [0-9]+(,[0-9]+)? secondi' \
    "$work/r/istanti.txt" || fail "summary: $(tail -1 "$work/r/istanti.txt")"
grep -q "^risultati corretti: " "$work/log" || fail "log: $(cat "$work/log")"
head -1 "$work/r/valutazione.txt" | grep -q "^Arco SUPERIORE" || fail "evaluation"
# Every record of the capture became one row of the table of instants.
records=$(grep -c '^veicolo' "$work/r/rilevamenti.txt")
rows=$(($(wc -l <"$work/r/istanti.txt") - 3))
[ "$records" -gt 0 ] && [ "$records" -eq "$rows" ] || fail "$records records, $rows rows"
printf '0\t0\r\n1\t0,2\r\n' | cmp -s - <(head -2 "$work/r/tempi.txt") || fail "times: $(head -2 "$work/r/tempi.txt" | cat -A)"

if kalvor run "$work/f/esempio.kvr" --out "$work/r2" --primo uno >"$work/log" 2>"$work/err"; then fail "--primo uno"; fi
grep -q '"uno"\|uno' "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/r2" ] || fail "r2 written"
echo ok
