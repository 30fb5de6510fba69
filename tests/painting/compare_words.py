#!/usr/bin/env python3
"""Compares the words of two PDFs (pdftotext -bbox): every word of the reference must stand in the
other PDF on the same page with the same text, its left and right edges and its baseline within
TOLERANCE millimetres. Prints the largest deviations and each word beyond; exit status 1 when a word is
too far, is not in the other PDF's text layer, or the pages differ in number. A word the other PDF holds
as pieces side by side on one baseline (its reader broke it at a wider gap between two cells) is
counted and named, its outer edges compared.
  compare_words.py REFERENCE.pdf OTHER.pdf TOLERANCE_MM

A word's box height is its font's ascent plus descent as the PDF declares them, and the two writers
declare them differently: the web engine embeds its CJK faces as Type 3 fonts whose box is 2.6 em
with the baseline at 73 % of it, the painter TrueType faces whose box is ascent plus descent (Noto CJK
and DejaVu Sans alike put the baseline at 80 %). Baselines are compared, not box tops."""
import re
import unicodedata
import subprocess
import sys

PT_MM = 25.4 / 72


def words(pdf):
    out = subprocess.run(['pdftotext', '-bbox', pdf, '-'], capture_output=True, text=True, check=True).stdout
    pages, page = [], None
    for line in out.splitlines():
        if '<page ' in line:
            page = []
            pages.append(page)
        m = re.search(r'xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>', line)
        if m and page is not None:
            x0, y0, x1, y1 = (float(v) * PT_MM for v in m.groups()[:4])
            # Both writers may name a CJK glyph by its Kangxi radical: compared as the same character.
            page.append((unicodedata.normalize('NFKC', m.group(5)), x0, y0, x1, y1))
    return pages


def alike(a, b):
    """The same text; a CJK radical (U+2E80-U+2FDF) stands for any character, as a PDF's text layer may
    name a shared glyph by its radical."""
    return len(a) == len(b) and all(x == y or '\u2e80' <= x <= '\u2fdf' or '\u2e80' <= y <= '\u2fdf'
                                    for x, y in zip(a, b))


def pieces(free, text, x0, y0, x1, y1, tol):
    """Words of free that spell text left to right on the line of the word at x0..x1, or None."""
    b = baseline((text, x0, y0, x1, y1))
    line = sorted((w for w in free
                   if abs(w[2] + 0.8 * (w[4] - w[2]) - b) <= tol and w[3] > x0 - tol and w[1] < x1 + tol),
                  key=lambda w: w[1])
    for i in range(len(line)):
        spelt = ''
        for j in range(i, len(line)):
            spelt += line[j][0]
            if len(spelt) >= len(text):
                if alike(spelt, text):
                    return line[i:j + 1]
                break
    return None


def baseline(word):
    text, x0, y0, x1, y1 = word
    h = y1 - y0
    # A word of digits drawn in TrueType DejaVu Sans is about 1.8 times as tall as one digit is wide; in
    # a Type 3 face, over 4 times.
    type3 = not text.isdigit() or h / max((x1 - x0) / len(text), 1e-6) > 3
    return y0 + h * (0.7308 if type3 else 0.80)


def main():
    ref, other, tol = words(sys.argv[1]), words(sys.argv[2]), float(sys.argv[3])
    bad = 0
    worst_x = worst_y = 0.0
    missing = split = 0
    if len(ref) != len(other):
        print(f'pages: {len(ref)} against {len(other)}')
        bad += 1
    for p, (rw, ow) in enumerate(zip(ref, other)):
        free = list(ow)
        for text, x0, y0, x1, y1 in rw:
            same = [w for w in free if alike(w[0], text)]
            if not same:
                joined = pieces(free, text, x0, y0, x1, y1, tol)
                if not joined:
                    print(f'page {p + 1}: "{text}" at ({x0:.1f}, {y0:.1f}) mm is not in the text layer')
                    missing += 1
                    continue
                print(f'page {p + 1}: "{text}" at ({x0:.1f}, {y0:.1f}) mm is in pieces: '
                      + ' '.join(w[0] for w in joined))
                split += 1
                for w in joined:
                    free.remove(w)
                same = [(text, joined[0][1], joined[0][2], joined[-1][3], joined[-1][4])]
            b = baseline((text, x0, y0, x1, y1))
            best = min(same, key=lambda w: abs(w[1] - x0) + abs(0.8 * (w[4] - w[2]) + w[2] - b))
            if best in free:
                free.remove(best)
            dx = max(abs(best[1] - x0), abs(best[3] - x1))
            sy = best[2] + 0.8 * (best[4] - best[2]) - b
            sx = best[1] - x0
            dy = abs(sy)
            worst_x, worst_y = max(worst_x, dx), max(worst_y, dy)
            if max(dx, dy) > tol:
                print(f'page {p + 1}: "{text}" off by {sx:+.2f} (right {best[3] - x1:+.2f}) mm across, {sy:+.2f} mm down: ({best[1]:.2f}, '
                      f'{best[2]:.2f}) against ({x0:.2f}, {y0:.2f}) mm')
                bad += 1
    print(f'words: {sum(len(r) for r in ref)}, largest deviation {worst_x:.2f} mm across, {worst_y:.2f} mm down; '
          f'{bad} beyond {tol} mm; {missing} not found in the text layer; {split} in pieces')
    return 1 if bad or missing else 0


sys.exit(main())
