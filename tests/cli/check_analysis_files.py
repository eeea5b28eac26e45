#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the analysis files of the example job with the csv module and the
SVG charts with an XML parser, as a spreadsheet, R or pandas user would.
Exits non-zero naming what is wrong."""
import csv
import sys
import xml.etree.ElementTree as ET

folder = sys.argv[1].rstrip('/') + '/'
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read(name):
    with open(folder + name, newline='', encoding='utf-8') as f:
        return list(csv.DictReader(f))


def number(text):
    return float(text) if text != '' else None


rows = read('traiettorie.csv')
check(len(rows) == 9, 'traiettorie.csv: %d rows' % len(rows))
check(list(rows[0].keys()) == ['vehicle', 'lane', 'arc', 'frame', 'time_s', 'x_m', 'y_m', 'speed_kmh',
                               'length_m', 'distance_m', 'out_of_arc'], 'traiettorie.csv header')
check([r['vehicle'] for r in rows] == ['1', '3', '1', '3', '1', '2', '3', '2', '2'], 'traiettorie.csv order')
check(rows[3]['arc'] == 'sup' and number(rows[3]['x_m']) == 20.0 and number(rows[3]['y_m']) == 1.75,
      'traiettorie.csv row 3: %s' % rows[3])
check(number(rows[7]['time_s']) == 1.5 and number(rows[7]['speed_kmh']) == 36.0, 'traiettorie.csv row 7')

rows = read('veicoli.csv')
check([r['vehicle'] for r in rows] == ['1', '1', '1', '2', '2', '2', '3', '3', '3'], 'veicoli.csv order')

rows = read('indicatori_estesi.csv')
check(len(rows) == 1, 'indicatori_estesi.csv: %d rows' % len(rows))
pair = rows[0]
check((pair['arc'], pair['leader'], pair['follower']) == ('inf', '1', '2'), 'pair: %s' % pair)
check(abs(number(pair['section_x_m']) - 12.0) < 1e-9, 'section %s' % pair['section_x_m'])
check(abs(number(pair['time_headway_s']) - 1.2) < 1e-9, 'headway %s' % pair['time_headway_s'])
check(abs(number(pair['pet_s']) - 1.0) < 1e-9, 'PET %s' % pair['pet_s'])
check(abs(number(pair['space_headway_m']) - 24.0) < 1e-9, 'space headway %s' % pair['space_headway_m'])

rows = read('flussi.csv')
check(len(rows) == 4, 'flussi.csv: %d rows' % len(rows))
inf2 = [r for r in rows if r['arc'] == 'inf' and number(r['interval_start_s']) == 1.5]
check(len(inf2) == 1 and number(inf2[0]['count']) == 1 and number(inf2[0]['flow_veh_h']) == 7200.0
      and number(inf2[0]['observed_s']) == 0.5 and number(inf2[0]['density_veh_km']) == 100.0,
      'flussi.csv inf 1.5 s: %s' % inf2)
sup2 = [r for r in rows if r['arc'] == 'sup' and number(r['interval_start_s']) == 1.5]
check(len(sup2) == 1 and sup2[0]['mean_speed_kmh'] == '' and number(sup2[0]['flow_veh_h']) == 0.0,
      'flussi.csv sup 1.5 s: %s' % sup2)

SVG = '{http://www.w3.org/2000/svg}'
for name, labels in (('diagramma_spazio_tempo.svg', ['tempo [s]', 'posizione X [m]', 'Arco SUPERIORE']),
                     ('velocita_sup.svg', ['velocità [km/h]', 'veicoli', 'media 90 km/h']),
                     ('velocita_inf.svg', ['velocità [km/h]', 'veicoli', '85° percentile 72 km/h'])):
    try:
        root = ET.parse(folder + name).getroot()
    except ET.ParseError as e:
        failures.append('%s: %s' % (name, e))
        continue
    check(root.tag == SVG + 'svg', '%s: root %s' % (name, root.tag))
    texts = [t.text for t in root.iter(SVG + 'text')]
    for label in labels:
        check(label in texts, '%s: no text "%s" in %s' % (name, label, texts))
    # Ticks of both axes and, in the histograms, the two marks.
    check(len(list(root.iter(SVG + 'line'))) >= 6, '%s: too few lines' % name)

for f in failures:
    print('FAIL:', f)
sys.exit(1 if failures else 0)
