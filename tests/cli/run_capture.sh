#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli run: the capture to the end of its interval, the job saved at the
# last frame (read again, it stays there and saves the same file), and the
# refusals made before any work.
set -u
cli=$1
job=$2
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

# The example job on 100 frames of the standard scene, written as PNG files.
"$cli" scene "$work/f/" --size 640x480 --duration 4 --seed 1 >/dev/null || fail "scene"
cp "$job" "$work/f/lavoro.kvr"
# The job writes its numbers with a decimal comma.
kalvor() { env LC_ALL=it_IT.UTF-8 "$cli" "$@"; }

kalvor run "$work/f/lavoro.kvr" --save fine.kvr >"$work/log" 2>&1 || fail "run: $(tail -5 "$work/log")"
grep -q '^captazione: 99 fotogrammi avanzati' "$work/log" || fail "summary: $(grep captazione "$work/log")"
[ -s "$work/f/fine.kvr" ] || fail "fine.kvr not written"

# The saved capture: at frame 99, its records once in the totals.
tr -d '\r' <"$work/f/fine.kvr" >"$work/fine.txt"
cap=$(grep -n '^---CAPTAZIONE---' "$work/fine.txt" | cut -d: -f1)
[ "$(sed -n "$((cap + 18))p" "$work/fine.txt")" = 99 ] || fail "frame: $(sed -n "$((cap + 17)),$((cap + 18))p" "$work/fine.txt")"
block() { sed -n "/^$1\$/,/^$2\$/p" "$work/fine.txt"; }
att=$(block 'Veicoli Attuali' '---fine a' | awk '$0 == "veicolo"' | wc -l)
[ "$att" -gt 0 ] || fail "no records on the last frame"
tot99=$(block 'Veicoli Totali' '---fine t' | awk '{ if ($0 == "veicolo") k = 0; else k++; if (k == 7 && $0 == "99") c++ } END { print c + 0 }')
[ "$tot99" = "$att" ] || fail "frame 99 in the totals $tot99 times, on screen $att"

# Read again, it opens at frame 99, advances no further and saves the same file.
kalvor run "$work/f/fine.kvr" --save fine2.kvr >"$work/log2" 2>&1 || fail "rerun: $(tail -5 "$work/log2")"
grep -q '^captazione: 0 fotogrammi avanzati' "$work/log2" || fail "rerun summary: $(grep captazione "$work/log2")"
cmp -s "$work/f/fine.kvr" "$work/f/fine2.kvr" || fail "the reopened job saved differently"

# An interval beyond the extracted frames is refused with the numbers, nothing written.
cap=$(grep -n '^---CAPTAZIONE---' "$work/f/lavoro.kvr" | cut -d: -f1)
sed "$((cap + 4))s/.*/150\r/" "$work/f/lavoro.kvr" >"$work/f/lungo.kvr"
if kalvor run "$work/f/lungo.kvr" --save lungo-fine.kvr >/dev/null 2>"$work/err"; then
    fail "interval 0..150 accepted"
fi
grep -qF "Captazione: l'intervallo 0–150 esce dai fotogrammi estratti (0–99)" "$work/err" ||
    fail "message: $(cat "$work/err")"
[ ! -e "$work/f/lungo-fine.kvr" ] || fail "a refused run wrote its job"

# A job to save outside the frames folder is refused before any work.
if kalvor run "$work/f/lavoro.kvr" --save "$work/altrove.kvr" >"$work/out" 2>"$work/err"; then
    fail "save outside the frames folder accepted"
fi
grep -qF "cartella dei fotogrammi" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "work done before the refusal: $(head -2 "$work/out")"
echo "cli run capture: ok"
