#!/usr/bin/env python3
"""Generate res/lcd.ttf, the seven-segment face used for the timer readout.

The face is called "DEDOziv2".  The window code loads it from the resource
section with AddFontMemResourceEx and asks GDI for it by name with
ANSI_CHARSET, so the name table, the OS/2 code page bits and the metrics
below are what make GDI pick it; change them together with the C++ side.

Every glyph advances 515 units so the readout never jitters while digits
change.  Ink stays between y=0 and y=760, inside the 837/-37 line box.

Needs fontTools.  Output is byte-for-byte reproducible (fixed timestamps,
no randomness), so res/lcd.ttf can be committed and checked in review.
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = "DEDOziv2"
UPM = 1000
ADVANCE = 515
ASCENT = 837
DESCENT = -37

# Digit box before slanting.  The slant moves the top right by SLANT*TOP,
# so LEFT + WIDTH + SLANT*TOP + LEFT == ADVANCE keeps the ink centred.
TOP = 760
LEFT = 66
WIDTH = 330
SLANT = 0.07
THICK = 72         # segment thickness
GAP = 9            # the visible seam between neighbouring segments
MID = TOP / 2

# Fixed date so the file does not change every time the script runs.
FONT_DATE = timestampFromString("Mon Jan  1 00:00:00 2024")

# Which of the seven segments each digit lights.
#   a = top, b = upper right, c = lower right, d = bottom,
#   e = lower left, f = upper left, g = middle.
DIGIT_SEGMENTS = {
    "0": "abcdef",
    "1": "bc",
    "2": "abdeg",
    "3": "abcdg",
    "4": "bcfg",
    "5": "acdfg",
    "6": "acdefg",
    "7": "abc",
    "8": "abcdefg",
    "9": "abcdfg",
}

DIGIT_NAMES = ["zero", "one", "two", "three", "four",
               "five", "six", "seven", "eight", "nine"]


def slant(point):
    """Lean a point to the right like a real LCD readout."""
    x, y = point
    return (round(x + SLANT * y), round(y))


def horizontal_segment(y_centre):
    """Hexagon lying on its side, pointed at both ends (clockwise)."""
    h = THICK / 2
    x0, x1 = LEFT, LEFT + WIDTH
    return [
        (x0 + h + GAP, y_centre),
        (x0 + THICK + GAP, y_centre + h),
        (x1 - THICK - GAP, y_centre + h),
        (x1 - h - GAP, y_centre),
        (x1 - THICK - GAP, y_centre - h),
        (x0 + THICK + GAP, y_centre - h),
    ]


def vertical_segment(x_centre, y_bottom, y_top):
    """Upright hexagon between two horizontal segment centre lines."""
    h = THICK / 2
    top, bottom = y_top - GAP, y_bottom + GAP
    return [
        (x_centre, top),
        (x_centre + h, top - h),
        (x_centre + h, bottom + h),
        (x_centre, bottom),
        (x_centre - h, bottom + h),
        (x_centre - h, top - h),
    ]


def segment_polygons():
    h = THICK / 2
    left_x, right_x = LEFT + h, LEFT + WIDTH - h
    top_y, bottom_y = TOP - h, h
    return {
        "a": horizontal_segment(top_y),
        "b": vertical_segment(right_x, MID, top_y),
        "c": vertical_segment(right_x, bottom_y, MID),
        "d": horizontal_segment(bottom_y),
        "e": vertical_segment(left_x, bottom_y, MID),
        "f": vertical_segment(left_x, MID, top_y),
        "g": horizontal_segment(MID),
    }


def square(cx, cy, size):
    """Square dot, clockwise, centred on (cx, cy)."""
    s = size / 2
    return [(cx - s, cy - s), (cx - s, cy + s), (cx + s, cy + s), (cx + s, cy - s)]


def draw(polygons):
    """Turn a list of clockwise polygons into a TrueType glyph."""
    pen = TTGlyphPen(None)
    for poly in polygons:
        pts = [slant(p) for p in poly]
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def notdef_polygons():
    """Hollow box; the inner contour runs anticlockwise to cut the hole."""
    outer = [(LEFT, 0), (LEFT, TOP), (LEFT + WIDTH, TOP), (LEFT + WIDTH, 0)]
    inset = 50
    inner = [(LEFT + inset, inset), (LEFT + WIDTH - inset, inset),
             (LEFT + WIDTH - inset, TOP - inset), (LEFT + inset, TOP - inset)]
    return [outer, inner]


def build_glyphs():
    """Return (glyph order, {name: glyph}, {codepoint: name})."""
    segs = segment_polygons()
    centre_x = LEFT + WIDTH / 2
    dot = THICK + 14
    glyphs = {
        ".notdef": draw(notdef_polygons()),
        "space": draw([]),
    }
    cmap = {0x20: "space"}
    for char, name in zip("0123456789", DIGIT_NAMES):
        glyphs[name] = draw([segs[s] for s in DIGIT_SEGMENTS[char]])
        cmap[ord(char)] = name
    # The colon dots sit level with the middle of each digit half.
    glyphs["colon"] = draw([square(centre_x, TOP * 0.25, dot),
                            square(centre_x, TOP * 0.75, dot)])
    cmap[ord(":")] = "colon"
    glyphs["period"] = draw([square(centre_x, dot / 2, dot)])
    cmap[ord(".")] = "period"
    # Hyphen and minus both light only the middle segment.
    glyphs["hyphen"] = draw([segs["g"]])
    cmap[ord("-")] = "hyphen"
    cmap[0x2212] = "hyphen"
    order = [".notdef", "space"] + DIGIT_NAMES + ["colon", "period", "hyphen"]
    return order, glyphs, cmap


def build_font():
    order, glyphs, cmap = build_glyphs()
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupHead(unitsPerEm=UPM, created=FONT_DATE, modified=FONT_DATE,
                 fontRevision=1.0)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    # Left side bearing must equal each glyph's xMin; empty glyphs use 0.
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics(
        {name: (ADVANCE, getattr(glyf[name], "xMin", 0)) for name in order})
    fb.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT, lineGap=0)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": FAMILY + " Regular 1.000",
        "fullName": FAMILY,
        "version": "Version 1.000",
        "psName": FAMILY,
    }, windows=True, mac=True)
    fb.setupOS2(
        version=4,
        xAvgCharWidth=ADVANCE,
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,                  # installable: we only ever load it privately
        ulUnicodeRange1=1 << 0,    # Basic Latin
        ulUnicodeRange2=0,
        ulUnicodeRange3=0,
        ulUnicodeRange4=0,
        ulCodePageRange1=1 << 0,   # Latin 1: lets ANSI_CHARSET requests match
        ulCodePageRange2=0,
        achVendID="ZELV",
        fsSelection=0x40,          # REGULAR
        usFirstCharIndex=min(cmap),
        usLastCharIndex=max(cmap),
        sTypoAscender=ASCENT,
        sTypoDescender=DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=-DESCENT,
        sxHeight=round(MID),
        sCapHeight=TOP,
        usDefaultChar=0,
        usBreakChar=0x20,
        usMaxContext=0,
        yStrikeoutSize=THICK,
        yStrikeoutPosition=round(MID),
        # Latin text, proportion 9 = monospaced.
        panose=dict(bFamilyType=2, bSerifStyle=11, bWeight=5, bProportion=9,
                    bContrast=2, bStrokeVariation=2, bArmStyle=2,
                    bLetterForm=2, bMidline=2, bXHeight=4),
    )
    fb.setupPost(isFixedPitch=1, underlinePosition=-30, underlineThickness=40,
                 italicAngle=0)
    return fb


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "res", "lcd.ttf")
    if len(sys.argv) > 1:
        out = sys.argv[1]
    fb = build_font()
    fb.save(out)
    print("wrote %s (%d bytes)" % (out, os.path.getsize(out)))


if __name__ == "__main__":
    main()
