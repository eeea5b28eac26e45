#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli assemble from the outside: the output of a golden case, exit
# codes and messages, and nothing written on failure.
set -euo pipefail
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
golden="$here/../engine/project/golden/assembly_three_files"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$cli" assemble "$tmp/dati.kvr" "$golden/in1.kvr" "$golden/in2.kvr" "$golden/in3.kvr")
cmp -s "$tmp/dati.kvr" "$golden/expected.kvr" || fail "output differs from the golden file"
[[ $out == *"3 file, 6 record di veicoli"* ]] || fail "unexpected summary: $out"

if err=$("$cli" assemble "$tmp/vuoto.kvr" 2>&1); then fail "no input accepted"; fi
[[ $err == *"almeno un file da unire"* ]] || fail "unexpected message: $err"
[[ ! -e $tmp/vuoto.kvr ]] || fail "file written without inputs"

if err=$("$cli" assemble "$tmp/manca.kvr" "$golden/in1.kvr" "$tmp/non-esiste.kvr" 2>&1); then fail "missing input accepted"; fi
[[ $err == *"non-esiste.kvr"* ]] || fail "message does not name the missing file: $err"
[[ ! -e $tmp/manca.kvr ]] || fail "file written although an input was missing"
echo "cli assemble: ok"
