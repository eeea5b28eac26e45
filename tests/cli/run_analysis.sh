#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kalvor-cli run --out: the analysis files after the result files, read back
# with Python's csv module and XML parser; a bad interval refused before any
# work.
set -u
cli=$1
job=$2
work=$(mktemp -d /tmp/kalvor-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export LC_ALL=C

"$cli" scene "$work/f/" --size 640x480 --duration 4 --seed 1 >/dev/null || fail "scene"
cp "$job" "$work/f/lavoro.kvr"
kalvor() { env LC_ALL=it_IT.UTF-8 "$cli" "$@"; }

if kalvor run "$work/f/lavoro.kvr" --out "$work/out" --intervallo 0 >"$work/log" 2>"$work/err"; then
    fail "interval 0 accepted"
fi
grep -q "maggiore di zero" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/out" ] || fail "files written before the refusal"

kalvor run "$work/f/lavoro.kvr" --out "$work/out" --intervallo 2,5 >"$work/log" 2>&1 || fail "run: $(tail -5 "$work/log")"
grep -q "^Flussi alla sezione X = .* m, intervalli di 2,5 s$" "$work/log" || fail "report: $(grep Flussi "$work/log")"

/usr/bin/python3 - "$work/out" <<'PY' || fail "files"
import csv, sys, xml.etree.ElementTree as ET
d = sys.argv[1] + '/'
headers = {
    'traiettorie.csv': 'vehicle,lane,arc,frame,time_s,x_m,y_m,speed_kmh,length_m,distance_m,out_of_arc',
    'veicoli.csv': 'vehicle,lane,arc,frame,time_s,x_m,y_m,speed_kmh,length_m,distance_m,out_of_arc',
    'flussi.csv': 'arc,interval_start_s,interval_end_s,observed_s,count,flow_veh_h,mean_speed_kmh,p85_speed_kmh,'
                  'space_mean_speed_kmh,mean_time_headway_s,mean_space_headway_m,density_veh_km',
    'indicatori_estesi.csv': 'arc,leader,follower,section_x_m,leader_front_time_s,leader_rear_time_s,'
                             'follower_front_time_s,time_headway_s,space_headway_m,pet_s,leader_speed_kmh,'
                             'follower_speed_kmh,leader_length_m,follower_length_m',
}
rows = {}
for name, header in headers.items():
    with open(d + name, newline='', encoding='utf-8') as f:
        table = list(csv.reader(f))
    assert ','.join(table[0]) == header, (name, table[0])
    for row in table[1:]:
        assert len(row) == len(table[0]), (name, row)
        for cell in row:
            if cell not in ('', 'sup', 'inf'):
                float(cell)
    rows[name] = table[1:]
# Every sighting, grouped by vehicle in the second file; some vehicles seen.
assert len(rows['traiettorie.csv']) > 10 and len(rows['veicoli.csv']) == len(rows['traiettorie.csv'])
assert sorted(rows['veicoli.csv']) == sorted(rows['traiettorie.csv'])
# Intervals of 2.5 s from 0 on.
assert all(float(r[1]) % 2.5 == 0 and float(r[2]) - float(r[1]) == 2.5 for r in rows['flussi.csv'])
assert sum(int(r[4]) for r in rows['flussi.csv']) >= 2
S = '{http://www.w3.org/2000/svg}'
for name, label in (('diagramma_spazio_tempo.svg', 'tempo [s]'), ('velocita_sup.svg', 'velocità [km/h]'),
                    ('velocita_inf.svg', 'velocità [km/h]')):
    texts = [t.text for t in ET.parse(d + name).getroot().iter(S + 'text')]
    assert label in texts, (name, texts)
PY
echo ok
