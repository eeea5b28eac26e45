#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The options every subcommand shares: --help and -h answer with the usage and
# write nothing, --opt=value equals --opt value, unknown options are refused
# before any work, decimals take either separator, --version.
set -u
cli=$1
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C
mkdir "$work/empty"
cd "$work/empty" || exit 1

commands=$("$cli" --help | sed -n 's/^  kalvor-cli \([a-z][a-z-]*\).*/\1/p' | sort -u)
[ -n "$commands" ] || fail "no command listed by --help"
for c in $commands; do
    for h in --help -h; do
        "$cli" "$c" "$h" >"$work/out" 2>"$work/err" || fail "$c $h: exit $?"
        head -n 1 "$work/out" | grep -q "^Uso: kalvor-cli $c" || fail "$c $h: $(head -n 1 "$work/out")"
        [ ! -s "$work/err" ] || fail "$c $h wrote to stderr: $(cat "$work/err")"
    done
    # Help wins even after an option that needs a value, and writes nothing.
    "$cli" "$c" --out "$work/empty/x" --help >/dev/null 2>&1
    [ -z "$(ls -A "$work/empty")" ] || fail "$c --help wrote $(ls -A "$work/empty")"
done

"$cli" --version | grep -qE '^kalvor-cli [0-9]+\.[0-9]+' || fail "--version"

# Unknown options refused before any work: no folder created, no frame written.
if "$cli" extract nothing.mkv --out "$work/empty/f" --bogus 1 2>"$work/err"; then fail "unknown option accepted"; fi
grep -qF 'Opzione sconosciuta "--bogus"' "$work/err" || fail "message: $(cat "$work/err")"
[ -z "$(ls -A "$work/empty")" ] || fail "refused extract wrote $(ls -A "$work/empty")"
if "$cli" scene "$work/empty/v.mkv" --durata 1 2>/dev/null; then fail "scene --durata accepted"; fi
[ -z "$(ls -A "$work/empty")" ] || fail "refused scene wrote $(ls -A "$work/empty")"
if "$cli" run --out 2>"$work/err"; then fail "run --out without value accepted"; fi
grep -qF "Manca il valore di --out" "$work/err" || fail "message: $(cat "$work/err")"

# Decimals in options: comma and dot alike, in the C locale and in Italian;
# --opt=value equals --opt value. The output uses the locale's separator.
grid() { "$cli" grid --size 640x480 --direction 00 --points "100,50 300,150 500,250" "$@" --at 1,100 --at 479,639; }
grid --distances "10 10" >"$work/plain" || fail "grid"
grep -qx '1 100 4.563404 0.046585' "$work/plain" || fail "grid value: $(cat "$work/plain")"
grid --distances "10.0 10,0" | cmp -s - "$work/plain" || fail "mixed separators differ"
grid --distances="10,0 10.0" | cmp -s - "$work/plain" || fail "--distances= differs"
# An Italian locale gives the comma whether or not it is installed.
LC_ALL=it_IT.UTF-8 "$cli" grid --size=640x480 --direction=00 --points="100,50 300,150 500,250" \
    --distances="10.0 10,0" --at=1,100 >"$work/it" || fail "grid in Italian"
grep -qx '1 100 4,563404 0,046585' "$work/it" || fail "Italian output: $(cat "$work/it")"
if "$cli" grid --size 640x480 --direction 00 --points "100,50 300,150" --distances "1,0.5" --at 1,1 2>"$work/err"; then
    fail "1,0.5 accepted"
fi
grep -qF '"1,0.5"' "$work/err" || fail "message: $(cat "$work/err")"
echo "cli options: ok"
