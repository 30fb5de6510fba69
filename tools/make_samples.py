#!/usr/bin/env python3
"""Writes the sample files shipped beside the program: resources/sample.csv and the business-card
shelf-label design resources/名刺カードサンプル.hdn, both CP932 with CR LF. The bytes are committed;
run this only to change them on purpose, then check the diff."""

import pathlib
import sys


def check_digit(digits: str) -> str:
    # Weight 3 falls on the digit just left of the check digit.
    total = sum(int(c) * (3 if i % 2 == 0 else 1) for i, c in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def jan(body: str) -> str:
    assert body.isdigit() and len(body) in (12, 7), body
    return body + check_digit(body)


# item code, name, price (whole yen), remarks, JAN without its check digit (or "")
PRODUCTS = [
    ("A-001", "煎茶ティーバッグ 20袋入", 398, "", "490123456789"),
    ("A-002", "ほうじ茶 200g", 580, "店長のおすすめ", "456123400015"),
    ("A-003", "麦茶パック 54袋", 248, "夏季限定", "456123400022"),
    ("B-101", "手焼きせんべい 12枚", 450, "", "456123410014"),
    ("B-102", "栗入りどら焼き", 180, "本日入荷", "4561234"),
    ("B-103", "抹茶ようかん 1本", 1280, "贈答用箱入り", "456123410021"),
    ("C-201", "純米酢 500ml", 398, "", "4987654"),
    ("C-202", "国産丸大豆しょうゆ 1L", 698, "", "498765400109"),
    ("C-203", "天日干し梅干し 300g", 1980, "数量限定", "498765400116"),
    ("D-301", "手ぬぐい 藍染め", 880, "", "4512345"),
    ("D-302", "竹製菜箸 33cm", 350, "", ""),
    ("", "量り売り 昆布", 300, "100gあたり", ""),
]


def csv_bytes() -> bytes:
    lines = []
    for code, name, price, remarks, body in PRODUCTS:
        code_field = (jan(body) if body else "") + "B"
        for text in (code, name, remarks):
            assert not any(c in text for c in ",\"'"), text
        lines.append(f'"{code}","{name}",{price},"{remarks}","{code_field}"')
    return "".join(line + "\r\n" for line in lines).encode("cp932")


# The design file of a 91 x 55 mm business card, ten to an A4 sheet (2 across, 5 down).
FONT = "ＭＳ Ｐゴシック"
AREAS = [  # size (points, without "pt"), style, colour, alignment
    ("14", "太字", "#FFFFFF", "中央"),  # header
    ("9", "通常", "#404040", "左"),  # item code
    ("13", "太字", "#000000", "左"),  # name
    ("28", "太字", "#C00000", "中央"),  # price
    ("9", "通常", "#000000", "右"),  # tax note
    ("9", "通常", "#404040", "左"),  # remarks
]
MARK = ("28", "太字")

DESIGN = [
    ("FontName", [(str(i), FONT) for i in range(7)]),
    ("FontSize", [(str(i), a[0]) for i, a in enumerate(AREAS)] + [("6", MARK[0])]),
    ("FontStyle", [(str(i), a[1]) for i, a in enumerate(AREAS)] + [("6", MARK[1])]),
    ("FontColor", [(str(i), a[2]) for i, a in enumerate(AREAS)]),
    ("FontAlign", [(str(i), a[3]) for i, a in enumerate(AREAS)]),
    ("BackColor", [("H", "#2E5E3E")]),
    ("Header", [("string", "おすすめ"), ("check", "1")]),
    ("Line", [("line", "1"), ("Color", "#808080")]),
    ("Bunkatsu", [("H", "5"), ("W", "2")]),
    ("YMark", [("Y", "0")]),
    ("Tax", [("Style", "2"), ("Zeikomi", "1")]),
    ("Make", [("GN", "1"), ("Alt", "1"), ("BC", "1"), ("JN", "1"), ("LG", "0")]),
    ("Logo", [("Name", ""), ("Align", "中央"), ("W", "0"), ("H", "0")]),
    ("Border", [("S", "none"), ("W", "0"), ("C", "#FFFFFF")]),
    ("CHeight", [("S", "1"), ("H", "55")]),
    ("CWidth", [("S", "1"), ("W", "91")]),
    ("CPadding", [("P0", "2"), ("P1", "2"), ("P2", "3"), ("P3", "3")]),
    ("Style", [("M", "0")]),
    ("JAN", [("TH", "30")]),
]


def design_bytes() -> bytes:
    lines = []
    for section, keys in DESIGN:
        lines.append(f"[{section}]")
        lines.extend(f"{k}={v}" for k, v in keys)
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def main() -> int:
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "resources")
    (out / "sample.csv").write_bytes(csv_bytes())
    (out / "名刺カードサンプル.hdn").write_bytes(design_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main())
