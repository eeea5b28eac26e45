#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The detection profile on the command line: `job --profilo` saves it for both
# screens, `run --profilo` replaces the job's for the run (and for --save),
# `check` shows it; an unknown word is refused before any work.
set -u
cli=$1
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

"$cli" scene "$work/v.mkv" --size 160x120 --duration 1 --codec lossless >/dev/null || fail "scene"
"$cli" extract "$work/v.mkv" --out "$work/f" --step 0.2 >/dev/null || fail "extract"
job() { "$cli" job "$work/f/$1" --direction 00 --points "10,20 80,60 150,100" --distances "5 5.5" \
    --area "10,60 150,60 10,40 10,80" "${@:2}" >/dev/null; }
# The profile lines at the end of a job file, or "nessuna" without the section.
section() {
    local t
    t=$(tr -d '\r' <"$1" | sed -n '/^---PROFILO RILEVAMENTO---$/,$p' | paste -sd' ')
    echo "${t:-nessuna}"
}

job predefinito.kvr || fail "job"
job robusto.kvr --profilo robusto || fail "job --profilo robusto"
job esplicito.kvr --profilo=predefinito || fail "job --profilo=predefinito"
printf '%s\n' 'direction 00' 'points 10,20 80,60 150,100' 'distances 5 5.5' 'area 10,60 150,60 10,40 10,80' \
    'profilo robusto' >"$work/setup.txt"
"$cli" job "$work/f/setup.kvr" --setup "$work/setup.txt" >/dev/null || fail "job --setup"

# file | section at its end
while read -r file want; do
    got=$(section "$work/f/$file")
    [ "$got" = "$want" ] || fail "$file: section '$got', expected '$want'"
done <<'TABLE'
predefinito.kvr nessuna
esplicito.kvr nessuna
robusto.kvr ---PROFILO RILEVAMENTO--- Calibrazione robusto Captazione robusto
setup.kvr ---PROFILO RILEVAMENTO--- Calibrazione robusto Captazione robusto
TABLE
cmp -s "$work/f/predefinito.kvr" "$work/f/esplicito.kvr" || fail "the default profile given changes the file"
tr -d '\r' <"$work/f/predefinito.kvr" | tail -n 1 | grep -qx -- '---fine t' || fail "default job does not end as before"

"$cli" check "$work/f/robusto.kvr" >"$work/log" 2>&1 || fail "check: $(cat "$work/log")"
grep -q '^calibrazione: .*; profilo robusto$' "$work/log" || fail "check calibration: $(cat "$work/log")"
grep -q '^captazione: .*; profilo robusto$' "$work/log" || fail "check capture: $(cat "$work/log")"
"$cli" check "$work/f/predefinito.kvr" | grep -q '^calibrazione: .*; profilo predefinito$' || fail "check default"

# job | option (- for none) | profiles the run uses | section of the job saved by --save
while IFS='|' read -r file option want saved; do
    [ "$option" = - ] && option=
    # shellcheck disable=SC2086 # the option is one word or none
    "$cli" run "$work/f/$file" $option --save salvato.kvr >"$work/log" 2>&1 || fail "run $file $option: $(cat "$work/log")"
    got=$(sed -n 's/^profilo di rilevamento: //p' "$work/log")
    [ "$got" = "$want" ] || fail "run $file $option: '$got', expected '$want'"
    [ "$(section "$work/f/salvato.kvr" | sed 's/^nessuna$//' | cut -s -d' ' -f4,6)" = "$saved" ] ||
        fail "run $file $option saved $(section "$work/f/salvato.kvr")"
done <<'TABLE'
predefinito.kvr|-|calibrazione predefinito, captazione predefinito|
robusto.kvr|-|calibrazione robusto, captazione robusto|robusto robusto
predefinito.kvr|--profilo=robusto|calibrazione robusto, captazione robusto|robusto robusto
robusto.kvr|--profilo=predefinito|calibrazione predefinito, captazione predefinito|
TABLE

# Unknown words: refused before any work, with both words named; nothing written.
for bad in veloce Robusto ""; do
    if "$cli" run "$work/f/predefinito.kvr" --out "$work/out" --profilo "$bad" 2>"$work/err" >/dev/null; then
        fail "run --profilo '$bad' accepted"
    fi
    grep -qF "Valore non valido per --profilo: \"$bad\" non è un profilo di rilevamento; scrivere predefinito o robusto." \
        "$work/err" || fail "run message: $(cat "$work/err")"
    [ ! -e "$work/out" ] || fail "refused run created its output folder"
    if job nuovo.kvr --profilo "$bad" 2>"$work/err"; then fail "job --profilo '$bad' accepted"; fi
    grep -qF "non è un profilo di rilevamento; scrivere predefinito o robusto." "$work/err" || fail "job: $(cat "$work/err")"
    [ ! -e "$work/f/nuovo.kvr" ] || fail "refused job written"
done

# A job file with a bad word: check names the line, run refuses it.
tr -d '\r' <"$work/f/robusto.kvr" | sed '$s/^robusto$/veloce/' | sed 's/$/\r/' >"$work/f/guasto.kvr"
line=$(tr -d '\r' <"$work/f/guasto.kvr" | wc -l)
if "$cli" check "$work/f/guasto.kvr" >"$work/log" 2>&1; then fail "check passed a bad profile"; fi
grep -qF "riga $line (Captazione.Profilo): 'veloce' non è un profilo di rilevamento" "$work/log" ||
    fail "check: $(cat "$work/log")"
if "$cli" run "$work/f/guasto.kvr" >"$work/log" 2>&1; then fail "run took a bad profile"; fi
grep -q "^riepilogo" "$work/log" && fail "ran anyway"
echo "cli profile: ok"
