#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli extract from the outside: files, list, exit codes and messages.
set -u
cli=$1
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

"$cli" scene "$work/v.mkv" --size 160x120 --duration 2 --codec lossless >/dev/null || fail "scene"

"$cli" extract "$work/v.mkv" --out "$work/out" --step 0,5 --first 10 >"$work/log" 2>&1 || fail "extract: $(cat "$work/log")"
for n in 10 11 12 13; do [ -s "$work/out/$n.png" ] || fail "missing $n.png"; done
[ ! -e "$work/out/14.png" ] || fail "14.png written"
printf '10\t0\r\n11\t0.52\r\n12\t1\r\n13\t1.52\r\n' | cmp -s - "$work/out/fotogrammi.txt" || fail "list: $(cat -A "$work/out/fotogrammi.txt")"
grep -q "^4 fotogrammi 160x120" "$work/log" || fail "summary: $(cat "$work/log")"

"$cli" extract "$work/v.mkv" --out "$work/o2" --from 1 --to 1.2 --step 0.1 --size 80x60 >/dev/null 2>&1 || fail "from/to"
printf '0\t1\r\n1\t1.12\r\n2\t1.2\r\n' | cmp -s - "$work/o2/fotogrammi.txt" || fail "from/to list: $(cat -A "$work/o2/fotogrammi.txt")"
file "$work/o2/0.png" | grep -q "80 x 60" || fail "size: $(file "$work/o2/0.png")"

expect_error() { # expected text, then the arguments
    local want=$1; shift
    if "$cli" extract "$@" >"$work/out.txt" 2>"$work/err.txt"; then fail "no error for: $*"; fi
    grep -qF -- "$want" "$work/err.txt" || fail "message for $*: $(cat "$work/err.txt")"
    [ "$(wc -l <"$work/err.txt")" -eq 1 ] || fail "more than one line for $*: $(cat "$work/err.txt")"
}
expect_error '"abc"' "$work/v.mkv" --out "$work/o3" --step abc
expect_error 'maggiore di zero' "$work/v.mkv" --out "$work/o3" --step 0
expect_error '--size' "$work/v.mkv" --out "$work/o3" --size 640
expect_error 'sconosciuta' "$work/v.mkv" --out "$work/o3" --fast
expect_error 'Uso' "$work/v.mkv"
expect_error "$work/none.mp4" "$work/none.mp4" --out "$work/o3"
echo "not a video" >"$work/text.avi"
expect_error "$work/text.avi" "$work/text.avi" --out "$work/o3"
touch "$work/afile"
expect_error "esiste già un file con quel nome" "$work/v.mkv" --out "$work/afile"
expect_error "una parte del percorso non è una cartella" "$work/v.mkv" --out "$work/afile/sotto"
mkdir "$work/ro" && chmod 555 "$work/ro"
if [ "$(id -u)" != 0 ]; then expect_error "permesso negato" "$work/v.mkv" --out "$work/ro"; fi

# Frame numbers and times at the ends of their ranges: refused before any
# frame is written, never numbered -2147483648 or written as 0 frames with success.
expect_error "supererebbero il numero massimo 2147483647" "$work/v.mkv" --out "$work/o4" --first 2147483647
[ -z "$(ls -A "$work/o4")" ] || fail "frames written past the largest number: $(ls "$work/o4")"
expect_error "Nessun fotogramma estratto" "$work/v.mkv" --out "$work/o5" --from 900000000000000
expect_error "almeno 0.001 secondi" "$work/v.mkv" --out "$work/o5" --step 0.0001
"$cli" extract "$work/v.mkv" --out "$work/o6" --step 0,5 --first 2147483640 >/dev/null 2>&1 || fail "--first near the top"
for n in 2147483640 2147483641 2147483642 2147483643; do [ -s "$work/o6/$n.png" ] || fail "missing $n.png"; done
echo "ok"
