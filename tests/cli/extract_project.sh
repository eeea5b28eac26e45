#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli extract --project: the new job's project file beside the frames,
# with the extractor section of this extraction; refused elsewhere.
set -u
cli=$1
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

"$cli" scene "$work/v.mkv" --size 160x120 --duration 1 --codec lossless >/dev/null || fail "scene"
"$cli" extract "$work/v.mkv" --out "$work/f" --step 0.5 --first 3 --project lavoro.kvr >"$work/log" 2>&1 ||
    fail "extract: $(cat "$work/log")"
grep -q "^progetto: $work/f/lavoro.kvr" "$work/log" || fail "summary: $(cat "$work/log")"
# The extractor section, then the reading direction of a new job.
printf '%s\r\n' '---ESTRATTORE---' 'intervallo estrazione sec' '0.5' 'Lista Fotogrammi' 3 4 '---fine f' \
    'Lista Tempi' 0 0.52 '---fine s' '---VERSO LETTURA---' verso 'usato gps' no >"$work/want"
sed -n '8,22p' "$work/f/lavoro.kvr" | cmp -s - "$work/want" || fail "section: $(sed -n '8,22p' "$work/f/lavoro.kvr" | cat -A)"
# Intervals within the frames written (3 and 4), never the screens' 0 to 200.
for section in CALIBRAZIONE CAPTAZIONE; do
    tr -d '\r' <"$work/f/lavoro.kvr" | grep -A4 -x -- "---$section---" | paste -sd' ' |
        grep -qx -- "---$section--- Immagine iniziale 3 Immagine finale 4" || fail "$section interval"
done
tail -n 1 "$work/f/lavoro.kvr" | cmp -s - <(printf -- '---fine t\r\n') || fail "last line: $(tail -n 1 "$work/f/lavoro.kvr" | cat -A)"

# A path naming the frames folder is accepted, any other folder refused before extracting.
"$cli" extract "$work/v.mkv" --out "$work/f" --project "$work/f/../f/due.kvr" >/dev/null 2>&1 || fail "same folder refused"
[ -s "$work/f/due.kvr" ] || fail "due.kvr not written"
if "$cli" extract "$work/v.mkv" --out "$work/g" --project "$work/altrove.kvr" >/dev/null 2>"$work/err"; then
    fail "project outside the frames folder accepted"
fi
grep -qF "cartella dei fotogrammi" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/g/0.png" ] || fail "frames extracted although the project was refused"
echo "cli extract --project: ok"
