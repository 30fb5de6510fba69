#!/usr/bin/env python3
"""Random designs of each maker, through both routes: vennlo-cli --pdf (drawn by the program) against
--pdf-engine web (the page turned into a PDF by the web engine, the reference). For every design:
the same number of pages; every word of the reference on the same page with the same text, its edges
and baseline within 1 mm (compare_words.py); where the cards have a fixed width and height, the long
ruled lines at 300 dpi within 0.2 mm (ruled_lines.py); and every barcode the reference shows read back
by zbarimg at 300 dpi from the drawn PDF.

Designs are drawn from every option of the makers: shelf labels (header, item code, remarks, barcode
and its digits, logo, price mark, reduced-rate mark, border style and width, cut line, fixed or free
card size, paddings, layout A or B, each area's size, style and alignment, division), price tags (every
check box, price mark, two tiers, layout, fixed sizes, paddings, division) and the ledger (rows per
page, page numbers, face, size, padding, colours, barcode height).

  random_designs.py BUILD_DIR SOURCE_DIR [--count N] [--seed S] [--makers shelf,tags,ledger] [--keep DIR]
                    [--upright]

Exit status 1 when any design fails; each failure is named with its design file."""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOLERANCE_MM = 1.0
LINES_MM = 0.2

FACES = ['ＭＳ Ｐゴシック', 'ＭＳ ゴシック', 'ＭＳ 明朝', 'ＭＳ Ｐ明朝', 'メイリオ']
STYLES = ['通常', '太字', '斜体', '両方']
UPRIGHT = ['通常', '太字']
ALIGNS = ['左', '中央', '右']
COLOURS = ['#000000', '#FF0000', '#0000FF', '#008000', '#808080']
BORDERS = ['none', 'solid', 'dashed', 'dotted', 'double']


def read_ini(path):
    """Sections of a Shift_JIS INI file as ordered (section, [(key, value)]) pairs."""
    sections = []
    with open(path, 'rb') as f:
        for line in f.read().decode('cp932').splitlines():
            line = line.strip()
            if line.startswith('['):
                sections.append((line[1:-1], []))
            elif '=' in line and sections:
                k, v = line.split('=', 1)
                sections[-1][1].append((k, v))
    return sections


def write_ini(sections, changes, path):
    """The sections with changes ({section: {key: value}}) applied, keys added where missing."""
    out = []
    seen = set()
    for name, pairs in sections:
        out.append(f'[{name}]')
        mine = changes.get(name, {})
        keys = [k for k, _ in pairs]
        for k, v in pairs:
            out.append(f'{k}={mine.get(k, v)}')
        out.extend(f'{k}={v}' for k, v in mine.items() if k not in keys)
        seen.add(name)
    for name, mine in changes.items():
        if name not in seen:
            out.append(f'[{name}]')
            out.extend(f'{k}={v}' for k, v in mine.items())
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(out) + '\r\n').encode('cp932'))


def shelf_design(rng, source, logo, styles):
    layout_b = rng.random() < 0.5
    base = os.path.join(source, 'tests/data/shelf_labels', 'typeB_defaults.hdn' if layout_b else 'typeA_defaults.hdn')
    c = {s: {} for s in ['FontName', 'FontSize', 'FontStyle', 'FontColor', 'FontAlign', 'Header', 'Line', 'Bunkatsu',
                         'YMark', 'Make', 'Logo', 'Border', 'CHeight', 'CWidth', 'CPadding', 'JAN', 'BackColor']}
    for i in range(7):
        c['FontName'][str(i)] = rng.choice(FACES)
        c['FontStyle'][str(i)] = rng.choice(styles)
        c['FontSize'][str(i)] = str(rng.choice([9, 10, 12, 14, 16, 20] if i not in (3, 6) else [16, 20, 24, 28, 34]))
        if i < 6:
            c['FontAlign'][str(i)] = rng.choice(ALIGNS)
            c['FontColor'][str(i)] = rng.choice(COLOURS)
    c['Header']['check'] = str(rng.randint(0, 1))
    c['Header']['string'] = rng.choice(['SALE', '特価', '本日限り'])
    c['BackColor']['H'] = rng.choice(['#FF0000', '#FFFF00', '#FFFFFF'])
    c['Line']['line'] = str(rng.randint(0, 1))
    c['Line']['Color'] = rng.choice(COLOURS)
    c['YMark']['Y'] = str(rng.randint(0, 2))
    for key in ['GN', 'Alt', 'KM']:
        c['Make'][key] = str(rng.randint(0, 1))
    c['Make']['BC'] = str(int(rng.random() < 0.8))
    c['Make']['JN'] = str(rng.randint(0, 1))
    c['Make']['LG'] = str(int(rng.random() < 0.3))
    c['Logo'].update({'Name': logo, 'W': str(rng.randint(20, 80)), 'H': str(rng.randint(10, 30)),
                      'Align': rng.choice(ALIGNS)})
    style = rng.choice(BORDERS)
    c['Border'].update({'S': style, 'W': str(rng.choice([0.5, 1, 1.5, 2, 3])), 'C': rng.choice(COLOURS)})
    fixed_w, fixed_h = rng.random() < 0.5, rng.random() < 0.5
    columns = rng.randint(1, 3) if not layout_b else rng.randint(1, 2)
    c['Bunkatsu'].update({'W': str(columns), 'H': str(rng.randint(2, 5))})
    c['CWidth'].update({'S': str(int(fixed_w)), 'W': str(rng.randint(60, 90) if columns < 3 else rng.randint(55, 62))})
    # A fixed height holds the whole card, so that nothing the comparison reads is hidden.
    c['CHeight'].update({'S': str(int(fixed_h)), 'H': str(rng.randint(75, 95))})
    for p in ['P0', 'P1', 'P2', 'P3']:
        c['CPadding'][p] = str(rng.choice([0, 0, 1, 2, 3]))
    c['JAN']['TH'] = str(rng.choice([30, 40, 50]))
    return base, c, fixed_w and fixed_h


def tag_design(rng, source, logo, styles):
    base = os.path.join(source, 'tests/data/price_tags/e2e_one_tier_A.cdn')
    c = {s: {} for s in ['CFontName', 'CFontSize', 'CFontStyle', 'CFontColor', 'CFontAlign', 'CMake', 'CBun',
                         'CLogo', 'CHeight', 'CWidth', 'CPadding', 'Style', 'JAN']}
    for i in range(4):
        c['CFontName'][str(i)] = rng.choice(FACES)
        c['CFontStyle'][str(i)] = rng.choice(styles)
        c['CFontSize'][str(i)] = str(rng.choice([8, 9, 10, 12] if i != 2 else [10, 12, 14, 16, 20]))
        c['CFontAlign'][str(i)] = rng.choice(ALIGNS)
        c['CFontColor'][str(i)] = rng.choice(COLOURS)
    for key in ['HB', 'HM', 'ZK', 'ZW', 'JC', 'Line', 'KM']:
        c['CMake'][key] = str(rng.randint(0, 1))
    c['CMake']['YM'] = str(rng.randint(0, 2))
    c['CMake']['JN'] = str(rng.randint(0, 1))
    c['CMake']['LG'] = str(int(rng.random() < 0.3))
    c['CMake']['LC'] = rng.choice(COLOURS)
    c['CLogo'].update({'Name': logo, 'W': str(rng.randint(20, 60)), 'H': str(rng.randint(10, 20)),
                       'Align': rng.choice(ALIGNS)})
    columns = rng.randint(2, 5)
    c['CBun'].update({'W': str(columns), 'H': str(rng.randint(3, 9))})
    fixed_w, fixed_h = rng.random() < 0.5, rng.random() < 0.5
    c['CWidth'].update({'S': str(int(fixed_w)), 'W': str(rng.randint(34, 36) if columns == 5 else rng.randint(36, 50))})
    c['CHeight'].update({'S': str(int(fixed_h)), 'H': str(rng.randint(40, 55))})
    for p in ['P0', 'P1', 'P2', 'P3']:
        c['CPadding'][p] = str(rng.choice([0, 0, 1, 2]))
    c['Style']['M'] = str(rng.randint(0, 1))
    c['JAN']['CH'] = str(rng.choice([30, 40]))
    return base, c, fixed_w and fixed_h


def ledger_settings(rng):
    # A page's table fits on its sheet: rows per page, face size and padding within what A4 holds.
    return {'DC': {'LIP': str(rng.choice([4, 8, 12])), 'LC': rng.choice(COLOURS),
                   'BC': rng.choice(['#FFFF00', '#FFFFFF', '#C0C0C0']), 'PN': str(rng.randint(0, 1)),
                   'FN': rng.choice(FACES), 'FS': str(rng.choice([9, 10, 11, 12])),
                   'PD': str(rng.choice([0, 1, 2]))},
            'JAN': {'DH': str(rng.choice([30, 40, 50]))}}


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def expected_codes(folder):
    """The codes whose barcodes the page shows, from its digits' cells or the text after its bars."""
    import re
    codes = set()
    for name in os.listdir(folder):
        if name.endswith('temp.html'):
            with open(os.path.join(folder, name), 'rb') as f:
                page = f.read().decode('cp932', 'replace')
            codes |= set(re.findall(r'class="area6"[^>]*>(\d{8,13})<', page))
            codes |= set(re.findall(r'<br>(\d{8,13})<', page))
    return codes


def decoded(pdf, folder, stem):
    subprocess.run(['pdftoppm', '-r', '300', '-gray', pdf, os.path.join(folder, stem)], check=True)
    codes = set()
    pages = sorted(p for p in os.listdir(folder) if p.startswith(stem + '-') and p.endswith('.pgm'))
    for p in pages:
        out = run(['zbarimg', '--quiet', '--raw', os.path.join(folder, p)]).stdout
        codes |= {line.strip() for line in out.splitlines() if line.strip()}
    return codes, [os.path.join(folder, p) for p in pages]


def check(name, folder, cli_args, fixed, cli, settings, stats):
    """Both routes for one design; a list of failures."""
    failures = []
    base = [cli] + (['--settings', settings] if settings else []) + ['--out', folder]
    drawn, web = os.path.join(folder, 'drawn.pdf'), os.path.join(folder, 'web.pdf')
    for pdf, extra in ((drawn, []), (web, ['--pdf-engine', 'web'])):
        r = run(base + cli_args + ['--pdf', pdf] + extra)
        if r.returncode != 0:
            return [f'{name}: vennlo-cli {" ".join(extra) or "--pdf"} failed: {r.stderr.strip()}']
    words = run([sys.executable, os.path.join(HERE, 'compare_words.py'), web, drawn, str(TOLERANCE_MM)])
    summary = words.stdout.strip().splitlines()[-1] if words.stdout.strip() else words.stderr.strip()
    try:
        across = float(summary.split('deviation ')[1].split(' mm across')[0])
        down = float(summary.split('mm across, ')[1].split(' mm down')[0])
        stats['across'] = max(stats['across'], across)
        stats['down'] = max(stats['down'], down)
    except (IndexError, ValueError):
        pass
    if words.returncode != 0:
        failures.append(f'{name}: words\n' + words.stdout)
    read, drawn_pages = decoded(drawn, folder, 'drawn')
    if fixed:
        _, web_pages = decoded(web, folder, 'web')
        lines = run([sys.executable, os.path.join(HERE, 'ruled_lines.py'), web_pages[0], drawn_pages[0], str(LINES_MM)])
        try:
            stats['lines'] = max(stats['lines'], float(lines.stdout.split('largest deviation ')[1].split(' mm')[0]))
        except (IndexError, ValueError):
            pass
        if lines.returncode != 0:
            failures.append(f'{name}: ruled lines\n' + lines.stdout + lines.stderr)
    missing = expected_codes(folder) - read
    stats['codes'] += len(read)
    if missing:
        failures.append(f'{name}: barcodes not read back at 300 dpi: {sorted(missing)}')
    return failures


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('build')
    ap.add_argument('source')
    ap.add_argument('--count', type=int, default=3, help='designs per maker')
    ap.add_argument('--seed', type=int, default=26)
    ap.add_argument('--makers', default='shelf,tags,ledger')
    ap.add_argument('--keep', help='keep every design, page and PDF in this folder')
    ap.add_argument('--upright', action='store_true', help='no italic faces (their slant is written differently)')
    a = ap.parse_args()
    cli = os.path.join(a.build, 'vennlo-cli')
    for tool in ['pdftoppm', 'pdftotext', 'zbarimg']:
        if not shutil.which(tool):
            print(f'random_designs: {tool} is not installed', file=sys.stderr)
            return 1
    os.environ.setdefault('QTWEBENGINE_DISABLE_SANDBOX', '1')
    rng = random.Random(a.seed)
    styles = UPRIGHT if a.upright else STYLES
    work = a.keep or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    logo = os.path.join(os.path.abspath(a.source), 'resources', 'sample_logo.gif')
    shelf_list = os.path.join(a.source, 'tests/data/shelf_labels/jan_list.csv')
    tag_list = os.path.join(a.source, 'tests/data/price_tags/twelve.csv')
    settings_base = read_ini(os.path.join(a.source, 'tests/data/default_vennlo.ini'))
    stats = {'across': 0.0, 'down': 0.0, 'lines': 0.0, 'codes': 0}
    failures, designs = [], 0
    makers = a.makers.split(',')
    try:
        for n in range(a.count):
            for maker in ['shelf', 'tags', 'ledger']:
                # Every maker draws its designs from the generator in turn, so that a design does not
                # change with the makers chosen.
                if maker == 'shelf':
                    base, changes, fixed = shelf_design(rng, a.source, logo, styles)
                    ext = '.hdn'
                elif maker == 'tags':
                    base, changes, fixed = tag_design(rng, a.source, logo, styles)
                    copies = ','.join(str(rng.randint(1, 2)) for _ in range(6))
                    ext = '.cdn'
                else:
                    changes, fixed = ledger_settings(rng), False
                    ext = '.ini'
                if maker not in makers:
                    continue
                name = f'{maker}_{a.seed}_{n:03d}'
                folder = os.path.join(work, name)
                os.makedirs(folder, exist_ok=True)
                design = os.path.join(folder, name + ext)
                settings = None
                if maker == 'shelf':
                    write_ini(read_ini(base), changes, design)
                    args = ['shelf', shelf_list, '--design', design]
                elif maker == 'tags':
                    write_ini(read_ini(base), changes, design)
                    args = ['tags', tag_list, '--check', '1-6', '--copies', copies, '--design', design]
                else:
                    write_ini(settings_base, changes, design)
                    settings = design
                    args = ['ledger', tag_list]
                designs += 1
                found = check(name, folder, args, fixed, cli, settings, stats)
                print(f'{name}: {"failed" if found else "passed"}', flush=True)
                failures += found
    finally:
        if not a.keep:
            shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print(f, file=sys.stderr)
    print(f'random_designs: {designs} designs, {len(failures)} failure(s); largest word deviation '
          f'{stats["across"]:.2f} mm across, {stats["down"]:.2f} mm down; ruled lines {stats["lines"]:.3f} mm; '
          f'{stats["codes"]} barcodes read back')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
