"""Checks one class's reports: the CSV (UTF-8 with BOM, one row per student, points per item that
add up to the score), the JSON lines (one per student, the same scores, the copies found) and the
HTML report (well-formed enough for a parser: the histogram, the item bars, a row per student).
Usage: check-class-report.py N CLASS_DIR CSV HTML JSONL"""
import csv
import html.parser
import json
import os
import sys

n, class_dir, csv_file, html_file, jsonl_file = sys.argv[1:6]
students = sorted(os.path.splitext(e)[0] if not os.path.isdir(os.path.join(class_dir, e)) else e
                  for e in os.listdir(class_dir) if not e.startswith('.'))
problems = []

raw = open(csv_file, 'rb').read()
if not raw.startswith(b'\xef\xbb\xbf'):
    problems.append('CSV has no byte-order mark')
rows = list(csv.reader(raw.decode('utf-8-sig').splitlines()))
header, body = rows[0], rows[1:]
if [r[0] for r in body] != students:
    problems.append('CSV students %s != %s' % ([r[0] for r in body], students))
for r in body:
    status = r[-2]
    if status == 'ended':
        points = sum(int(x) for x in r[2:-2] if x != '')
        if points != int(r[1]):
            problems.append('%s: items add up to %d, score %s' % (r[0], points, r[1]))
scores = {r[0]: r[1] for r in body}
for must in (('满分', '100'), ('抄甲', '100'), ('抄乙', '100')):
    if scores.get(must[0]) != must[1]:
        problems.append('%s scored %s' % (must[0], scores.get(must[0])))
for gone in ('空文件夹', '漏交'):
    row = next(r for r in body if r[0] == gone)
    if row[1] != '' or row[-2] != 'file-missing':
        problems.append('%s should be missing its document: %s' % (gone, row))
broken = next(r for r in body if r[0] == '损坏')
# A page is read as text whatever it holds; a document or workbook that cannot be read is marked
# all wrong with its reason.
if broken[1] != '0' or (n not in ('5', '6') and (broken[-2] != 'unreadable' or not broken[-1])):
    problems.append('the damaged file: %s' % broken)

lines = [json.loads(l) for l in open(jsonl_file, encoding='utf-8') if l.strip()]
people = [l for l in lines if 'student' in l]
if [p['student'] for p in people] != students:
    problems.append('JSON lines students differ')
for p in people:
    if p.get('score') is not None and str(p['score']) != scores[p['student']]:
        problems.append('%s: JSON %s, CSV %s' % (p['student'], p['score'], scores[p['student']]))
copies = [c for l in lines if 'copies' in l for c in l['copies']]
signals = {tuple(c['students']): c['signal'] for c in copies}
if signals.get(('抄乙', '抄甲')) is None and signals.get(('抄乙', '满分')) is None and signals.get(('满分', '抄甲')) is None \
        and not any(set(k) >= {'抄甲'} for k in signals):
    problems.append('the two copies were not found: %s' % signals)
if not any(k == ('原始文件',) for k in signals) or not any(k == ('未做',) for k in signals):
    problems.append('the starting file was not found: %s' % signals)


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.rows, self.bars = set(), 0, 0
        self.in_students = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if 'id' in a:
            self.ids.add(a['id'])
            self.in_students = a['id'] == 'students'
        if tag == 'tr' and self.in_students:
            self.rows += 1
        if tag == 'div' and a.get('class', '').startswith('bar'):
            self.bars += 1


page = Page()
page.feed(open(html_file, encoding='utf-8').read())
for must in ('histogram', 'items', 'students'):
    if must not in page.ids:
        problems.append('report has no #%s' % must)
if page.rows != len(students) + 1:
    problems.append('report has %d student rows for %d students' % (page.rows - 1, len(students)))
if page.bars != len(header) - 4:
    problems.append('report has %d item bars for %d items' % (page.bars, len(header) - 4))

print('exercise %s: %d students, %d items, %d copies found%s' % (
    n, len(students), len(header) - 4, len(copies), ''.join('\n  PROBLEM ' + p for p in problems)))
sys.exit(1 if problems else 0)
