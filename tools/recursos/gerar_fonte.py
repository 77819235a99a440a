#!/usr/bin/python3
"""Builds "LCDMono2", the bold dot-matrix TrueType font of the cabinet's displays.

Every glyph is a 5 x 7 matrix of lit dots (octagonal, like the cells of a character LCD) on a
fixed 600-unit advance, so the font is monospaced. Capitals and digits fill the 7 rows; lower-case
letters use rows 2-6 with ascenders above, and descenders take two rows below the baseline.
Accents sit above the matrix with one empty row between, so every Portuguese letter keeps its
full body. Deterministic: the same script always writes the same bytes.

usage: gerar_fonte.py OUTPUT.ttf
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UPM = 1000
PITCH = 100          # one matrix cell
DOT = 86             # lit dot size: bold, nearly touching, the grid still shows
CHAMFER = 22         # corner cut that makes the square dot an octagon
ADVANCE = 600        # 5 columns + one empty column
LEFT = 50            # left side bearing of column 0

# Rows are counted from the top of the capitals (row 0) down to the baseline row (6); rows 7 and
# 8 are descenders, negative rows hold accents.
GLYPHS = {
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "A": [".###.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "b": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."],
    "c": [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    "d": ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "f": ["..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."],
    "g": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    "h": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "j": ["...#.", ".....", "..##.", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "k": ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "q": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", "....#"],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "s": [".....", ".....", ".###.", "#....", ".###.", "....#", "####."],
    "t": [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "y": [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    '"': [".#.#.", ".#.#.", ".#.#.", ".....", ".....", ".....", "....."],
    "#": [".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."],
    "$": ["..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."],
    "%": ["##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"],
    "&": [".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"],
    "'": ["..#..", "..#..", ".#...", ".....", ".....", ".....", "....."],
    "(": ["...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."],
    ")": [".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."],
    "*": [".....", "..#..", "#.#.#", ".###.", "#.#.#", "..#..", "....."],
    "+": [".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."],
    ",": [".....", ".....", ".....", ".....", ".....", ".##..", ".##..", "..#..", ".#..."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    "/": [".....", "....#", "...#.", "..#..", ".#...", "#....", "....."],
    ":": [".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."],
    ";": [".....", ".....", ".##..", ".##..", ".....", ".##..", ".##..", "..#..", ".#..."],
    "<": ["...#.", "..#..", ".#...", "#....", ".#...", "..#..", "...#."],
    "=": [".....", ".....", "#####", ".....", "#####", ".....", "....."],
    ">": [".#...", "..#..", "...#.", "....#", "...#.", "..#..", ".#..."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "@": [".###.", "#...#", "....#", ".##.#", "#.#.#", "#.#.#", ".###."],
    "[": [".###.", ".#...", ".#...", ".#...", ".#...", ".#...", ".###."],
    "\\": [".....", "#....", ".#...", "..#..", "...#.", "....#", "....."],
    "]": [".###.", "...#.", "...#.", "...#.", "...#.", "...#.", ".###."],
    "^": ["..#..", ".#.#.", "#...#", ".....", ".....", ".....", "....."],
    "_": [".....", ".....", ".....", ".....", ".....", ".....", ".....", "#####"],
    "`": [".#...", "..#..", "...#.", ".....", ".....", ".....", "....."],
    "{": ["...#.", "..#..", "..#..", ".#...", "..#..", "..#..", "...#."],
    "|": ["..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "}": [".#...", "..#..", "..#..", "...#.", "..#..", "..#..", ".#..."],
    "~": [".....", ".....", ".#...", "#.#.#", "...#.", ".....", "....."],
    "\u00b0": [".##..", "#..#.", "#..#.", ".##..", ".....", ".....", "....."],
    "\u00ba": [".###.", "#...#", "#...#", ".###.", ".....", "#####", "....."],
    "\u00aa": [".###.", "....#", ".####", "#...#", ".####", ".....", "#####"],
    "\u00ab": [".....", "..#.#", ".#.#.", "#.#..", ".#.#.", "..#.#", "....."],
    "\u00bb": [".....", "#.#..", ".#.#.", "..#.#", ".#.#.", "#.#..", "....."],
    "\u00d7": [".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "....."],
    "\u00a1": ["..#..", ".....", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "\u00bf": ["..#..", ".....", "..#..", ".#...", "#....", "#...#", ".###."],
}

# Two-row accent marks, drawn above the letter.
MARKS = {
    "acute": ["...#.", "..#.."],
    "grave": [".#...", "..#.."],
    "circumflex": ["..#..", ".#.#."],
    "tilde": [".#..#", "#.##."],
    "diaeresis": [".....", ".#.#."],
}
CEDILLA = ["..#..", ".##.."]
DOTLESS_I = [".....", ".....", ".##..", "..#..", "..#..", "..#..", ".###."]

ACCENTED = {
    "acute": {"A": "\u00c1", "E": "\u00c9", "I": "\u00cd", "O": "\u00d3", "U": "\u00da",
              "a": "\u00e1", "e": "\u00e9", "i": "\u00ed", "o": "\u00f3", "u": "\u00fa"},
    "grave": {"A": "\u00c0", "E": "\u00c8", "I": "\u00cc", "O": "\u00d2", "U": "\u00d9",
              "a": "\u00e0", "e": "\u00e8", "i": "\u00ec", "o": "\u00f2", "u": "\u00f9"},
    "circumflex": {"A": "\u00c2", "E": "\u00ca", "I": "\u00ce", "O": "\u00d4", "U": "\u00db",
                   "a": "\u00e2", "e": "\u00ea", "i": "\u00ee", "o": "\u00f4", "u": "\u00fb"},
    "tilde": {"A": "\u00c3", "O": "\u00d5", "N": "\u00d1", "a": "\u00e3", "o": "\u00f5",
              "n": "\u00f1"},
    "diaeresis": {"A": "\u00c4", "E": "\u00cb", "I": "\u00cf", "O": "\u00d6", "U": "\u00dc",
                  "a": "\u00e4", "e": "\u00eb", "i": "\u00ef", "o": "\u00f6", "u": "\u00fc",
                  "y": "\u00ff"},
}


def compose():
    """All glyphs as {char: {row: pattern}}, accented letters built from base and mark."""
    out = {}
    for ch, rows in GLYPHS.items():
        out[ch] = {r: p for r, p in enumerate(rows)}
    for mark, table in ACCENTED.items():
        for base, ch in table.items():
            rows = DOTLESS_I if base == "i" else GLYPHS[base]
            g = {r: p for r, p in enumerate(rows)}
            top = -3 if base.isupper() else -1   # capitals: rows -3,-2; small letters: -1,0
            g[top], g[top + 1] = MARKS[mark]
            out[ch] = g
    for base, ch in (("C", "\u00c7"), ("c", "\u00e7")):
        g = {r: p for r, p in enumerate(GLYPHS[base])}
        g[7], g[8] = CEDILLA
        out[ch] = g
    return out


def dot_contour(col, row):
    """An octagonal dot, clockwise (TrueType outer contour)."""
    x0 = LEFT + col * PITCH + (PITCH - DOT) // 2
    y0 = (6 - row) * PITCH + (PITCH - DOT) // 2
    x1, y1, c = x0 + DOT, y0 + DOT, CHAMFER
    return [(x0, y0 + c), (x0, y1 - c), (x0 + c, y1), (x1 - c, y1),
            (x1, y1 - c), (x1, y0 + c), (x1 - c, y0), (x0 + c, y0)]


def draw_glyph(rows):
    pen = TTGlyphPen(None)
    for row, pattern in sorted(rows.items()):
        for col, cell in enumerate(pattern):
            if cell == "#":
                pts = dot_contour(col, row)
                pen.moveTo(pts[0])
                for p in pts[1:]:
                    pen.lineTo(p)
                pen.closePath()
    return pen.glyph()


def notdef_glyph():
    pen = TTGlyphPen(None)
    for row in range(7):
        for col in range(5):
            if row in (0, 6) or col in (0, 4):
                pts = dot_contour(col, row)
                pen.moveTo(pts[0])
                for p in pts[1:]:
                    pen.lineTo(p)
                pen.closePath()
    return pen.glyph()


def glyph_name(ch):
    if ch == " ":
        return "space"
    if ch.isascii() and ch.isalnum():
        return ch if not ch.isdigit() else "digit" + ch
    return "uni%04X" % ord(ch)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    glyphs = compose()
    chars = sorted(glyphs, key=ord)
    order = [".notdef"] + [glyph_name(c) for c in chars]
    cmap = {ord(c): glyph_name(c) for c in chars}
    cmap[0xA0] = "space"   # no-break space, as the thousands separator of some locales
    outlines = {".notdef": notdef_glyph()}
    for c in chars:
        outlines[glyph_name(c)] = draw_glyph(glyphs[c])

    ascent, descent = 1000, 220   # accents reach row -3 (top 1000), descenders row 8 (-200)
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    metrics = {}
    for name in order:
        g = outlines[name]
        g.recalcBounds(fb.font["glyf"])
        metrics[name] = (ADVANCE, getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    fb.setupNameTable({
        "copyright": "Trevolino",
        "familyName": "LCDMono2",
        "styleName": "Bold",
        "uniqueFontIdentifier": "Trevolino: LCDMono2 Bold: 2",
        "fullName": "LCDMono2 Bold",
        "psName": "LCDMono2-Bold",
        "version": "Version 2.000",
        "typographicFamily": "LCDMono2",
        "typographicSubfamily": "Bold",
    })
    fb.setupOS2(
        version=4, usWeightClass=700, usWidthClass=5, fsType=0,
        sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=descent,
        sxHeight=500, sCapHeight=700, xAvgCharWidth=ADVANCE,
        fsSelection=0x20 | 0x80,          # BOLD, USE_TYPO_METRICS
        achVendID="TRVL",
        panose=_panose(),
        ulUnicodeRange1=0b11,             # Basic Latin, Latin-1 Supplement
        ulCodePageRange1=1,               # Latin 1
    )
    fb.setupPost(isFixedPitch=1, underlinePosition=-150, underlineThickness=80)
    head = fb.font["head"]
    head.macStyle = 0x01                  # bold
    head.created = head.modified = 3_800_000_000  # fixed stamp: same bytes every build
    fb.font["head"].fontRevision = 2.0
    fb.save(sys.argv[1])


def _panose():
    from fontTools.ttLib.tables.O_S_2f_2 import Panose
    p = Panose()
    p.bFamilyType = 2        # Latin text
    p.bSerifStyle = 11       # normal sans
    p.bWeight = 8            # bold
    p.bProportion = 9        # monospaced
    p.bContrast = 2
    p.bStrokeVariation = 2
    p.bArmStyle = 2
    p.bLetterForm = 2
    p.bMidline = 2
    p.bXHeight = 4
    return p


if __name__ == "__main__":
    main()
