#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Output folders and files are checked before the work starts: run --out and
# assemble OUT that cannot be written fail at once, naming them, and write nothing.
set -u
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
golden="$here/../engine/project/golden/assembly_three_files"
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

touch "$work/afile"
# The job does not exist either: the output is what is refused first.
if "$cli" run "$work/manca.kvr" --out "$work/afile" >"$work/out" 2>"$work/err"; then fail "run accepted a file as --out"; fi
grep -qF "\"$work/afile\": esiste già un file con quel nome" "$work/err" || fail "run: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "run worked before refusing: $(cat "$work/out")"

mkdir "$work/cartella"
if "$cli" assemble "$work/cartella" "$golden/in1.kvr" >"$work/out" 2>"$work/err"; then fail "assemble into a folder"; fi
grep -qF "\"$work/cartella\": è una cartella" "$work/err" || fail "assemble: $(cat "$work/err")"
if "$cli" assemble "$work/manca/dati.kvr" "$work/non-esiste.kvr" >"$work/out" 2>"$work/err"; then fail "assemble into a missing folder"; fi
grep -qF "\"$work/manca/dati.kvr\": la cartella non esiste" "$work/err" || fail "assemble: $(cat "$work/err")"
echo "cli output checks: ok"
