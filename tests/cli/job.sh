#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli job: a job from options or from a setup file, with the area
# given right to left swapped as the area screen swaps it; refusals write
# nothing and keep an existing job.
set -u
cli=$1
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C
crlf() { tr -d '\r' <"$1"; }

"$cli" scene "$work/v.mkv" --size 160x120 --duration 1 --codec lossless >/dev/null || fail "scene"
if "$cli" job "$work/f/lavoro.kvr" --direction 00 --points "10,20 80,60 150,100" --distances "5 5" \
    --area "150,60 10,60 10,40 10,80" 2>"$work/err"; then fail "job without frames accepted"; fi
grep -qF "manca fotogrammi.txt" "$work/err" || fail "message: $(cat "$work/err")"

"$cli" extract "$work/v.mkv" --out "$work/f" --step 0.2 >/dev/null || fail "extract"
job() { "$cli" job "$work/f/$1" --direction 00 --points "10,20 80,60 150,100" --distances "5 5.5" \
    --area "150,60 10,60 10,40 10,80" --place "Via Roma" "${@:2}"; }
job lavoro.kvr >"$work/log" || fail "job: $(cat "$work/log")"
grep -qF "calibrazione 0–4, captazione 0–4" "$work/log" || fail "summary: $(cat "$work/log")"
crlf "$work/f/lavoro.kvr" >"$work/text"
# P1 and P2 swapped so that the axis runs left to right; intervals inside the 5 frames.
grep -A11 -x -- '---AREA CAPTAZIONE---' "$work/text" | paste -sd' ' |
    grep -qx -- '---AREA CAPTAZIONE--- Fotogramma iniziale 0 Coordinate 60 10 60 150 40 10 80 10' ||
    fail "area: $(grep -A11 -x -- '---AREA CAPTAZIONE---' "$work/text" | paste -sd' ')"
grep -A4 -x -- '---CALIBRAZIONE---' "$work/text" | paste -sd' ' |
    grep -qx -- '---CALIBRAZIONE--- Immagine iniziale 0 Immagine finale 4' || fail "calibration interval"
grep -A2 -x 'Distanze Reali' "$work/text" | paste -sd' ' | grep -qx 'Distanze Reali 5 5.5' || fail "distances"
sed -n 3p "$work/text" | grep -qx "Via Roma" || fail "place"

# The same job from a setup file; the command line wins over the file.
printf '%s\n' '# via Roma' 'direction 00' 'points 10,20 80,60 150,100' '--distances 5 5.5' \
    'area 150,60 10,60 10,40 10,80' 'place Via Verdi' >"$work/setup.txt"
"$cli" job "$work/f/file.kvr" --setup "$work/setup.txt" --place "Via Roma" >/dev/null || fail "job --setup"
cmp -s "$work/f/file.kvr" "$work/f/lavoro.kvr" || fail "setup file gives another job"

# An existing job is kept: refused without --force, and kept when the new one is refused.
cp "$work/f/lavoro.kvr" "$work/before"
if job lavoro.kvr 2>"$work/err"; then fail "existing job replaced without --force"; fi
grep -qF -- "--force" "$work/err" || fail "message: $(cat "$work/err")"
if job lavoro.kvr --force --capture 2-9 2>"$work/err"; then fail "capture beyond the frames accepted"; fi
grep -qF "Captazione: l'intervallo 2–9 esce dai fotogrammi estratti (0–4): manca il fotogramma 5" "$work/err" ||
    fail "message: $(cat "$work/err")"
cmp -s "$work/f/lavoro.kvr" "$work/before" || fail "refused job changed the existing one"
if job nuovo.kvr --area "150,60 10,60 10,40 10,130" 2>"$work/err"; then fail "area point outside accepted"; fi
grep -qF "AreaCaptazione: Il punto (10, 130) è fuori dal fotogramma (160 × 120 pixel)" "$work/err" ||
    fail "message: $(cat "$work/err")"
[ ! -e "$work/f/nuovo.kvr" ] || fail "refused job written"

# check: what the job holds, nothing written, exit 0; problems listed with exit 1.
"$cli" check "$work/f/lavoro.kvr" >"$work/log" 2>&1 || fail "check: $(cat "$work/log")"
for want in "^fotogrammi: 5 (0–4), 160x120 pixel" "^griglia metrica: x da 0.00 m a " \
    "^asse (fotogramma 0): da (10, 60) a (150, 60), 140 pixel" "^fascia: 20 pixel per arco" \
    "^calibrazione: fotogrammi 0–4 (5)" "^nessun problema"; do
    grep -q "$want" "$work/log" || fail "check lacks $want: $(cat "$work/log")"
done
"$cli" check "$work/f/lavoro.kvr" --overlay "$work/rif" >"$work/log" 2>&1 || fail "check --overlay: $(cat "$work/log")"
grep -qF "immagine di controllo: $work/rif/riferimento.png" "$work/log" || fail "$(cat "$work/log")"
[ "$(head -c 24 "$work/rif/riferimento.png" | od -An -tx1 -j16 | tr -d ' \n')" = 000000a000000078 ] ||
    fail "riferimento.png is not a 160x120 PNG"
if LC_ALL=it_IT.UTF-8 "$cli" check "$work/f/lavoro.kvr" >"$work/log" 2>&1; then fail "check in Italian passed"; fi
grep -q "^problemi (2):" "$work/log" || fail "check problems: $(cat "$work/log")"

# The job opens headless where it was written; in an Italian locale the dots
# of the file are named with the way to open it, and nothing runs.
"$cli" run "$work/f/lavoro.kvr" --overlay "$work/ov" >"$work/log" 2>"$work/err" || fail "run: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "progress written although stderr is no terminal: $(cat -A "$work/err")"
grep -q "^riepilogo: 4 fotogrammi elaborati" "$work/log" || fail "run summary: $(cat "$work/log")"
# One setup picture per processed frame, a PNG of the frame's size.
grep -qF "immagini di controllo: 4 in $work/ov/controllo<n>.png" "$work/log" || fail "overlay: $(cat "$work/log")"
for n in 1 2 3 4; do
    [ "$(head -c 24 "$work/ov/controllo$n.png" | od -An -tx1 -j16 | tr -d ' \n')" = 000000a000000078 ] ||
        fail "controllo$n.png is not a 160x120 PNG"
done
if LC_ALL=it_IT.UTF-8 "$cli" run "$work/f/lavoro.kvr" >"$work/log" 2>&1; then fail "dot file ran in Italian"; fi
grep -qF "riga 10 (Estrattore.step): '0.2' non è un valore decimale valido." "$work/log" || fail "$(cat "$work/log")"
grep -qF "LC_NUMERIC=C.UTF-8" "$work/log" || fail "no hint: $(cat "$work/log")"
grep -q "^riepilogo" "$work/log" && fail "ran anyway"

# --video extracts first into the job's folder, then writes the job.
"$cli" job "$work/g/lavoro.kvr" --video "$work/v.mkv" --step 0,5 --direction 00 --points "10,20 80,60 150,100" \
    --distances "5 5.5" --area "10,60 150,60 10,40 10,80" >"$work/log" 2>&1 || fail "job --video: $(cat "$work/log")"
grep -qF "lavoro \"$work/g/lavoro.kvr\" creato: fotogrammi 0–1 (160x120)" "$work/log" || fail "$(cat "$work/log")"
[ -s "$work/g/fotogrammi.txt" ] && [ -s "$work/g/1.png" ] || fail "job --video: frames not written"
echo "cli job: ok"
