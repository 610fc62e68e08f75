#!/usr/bin/env python3
"""Check the generated files in res/ against what the program relies on.

usage: check_assets.py RES_DIR

The parsers here are written from the file format layouts with the
standard library only, on purpose: they do not share code with the
generators, so a mistake in a generator (or in the library it uses) is
not repeated by the check.  check_pe_resources.py reuses the functions
below for the copies embedded in the executable.

Prints one line per failed check and a final "N passed, M failed";
exits 1 if anything failed.
"""
import array
import os
import struct
import sys

# Formats PlaySound will be handed, keyed by file name.
WAV_FORMATS = {
    "alarm.wav": (11025, 35000),
    "five_minutes.wav": (44100, 45000),
    "half_hour.wav": (44100, 90000),
    "full_hour.wav": (44100, 135000),
}

# Every size Windows picks from at 100 to 200 % scaling; the last one is stored as PNG.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_ICON_SIZE = 256
BITMAP_SIZE = 200

FONT_FAMILY = "DEDOziv2"
FONT_ADVANCE = 515
FONT_ASCENT = 837
FONT_DESCENT = 37          # as a positive distance below the baseline
FONT_INK_TOP = 770         # ink must stay inside the line cell
FONT_CHARS = "0123456789:. "


class Checker:
    """Counts checks; reports only the failures, plus a summary."""

    def __init__(self):
        self.passed = 0
        self.failed = 0
        self.prefix = ""        # names the file being checked in messages

    def check(self, label, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL %s%s%s" % (self.prefix, label, ": " + detail if detail else ""))
        return ok

    def equal(self, label, actual, expected):
        return self.check(label, actual == expected,
                          "got %r, expected %r" % (actual, expected))

    def summary(self):
        print("%d passed, %d failed" % (self.passed, self.failed))
        return 1 if self.failed else 0


# --- WAV ------------------------------------------------------------------

def riff_chunks(data):
    """List of (id, payload) of a RIFF/WAVE file, or None if not RIFF/WAVE."""
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        return None
    chunks, pos = [], 12
    while pos + 8 <= len(data):
        cid, size = struct.unpack_from("<4sI", data, pos)
        chunks.append((cid, data[pos + 8:pos + 8 + size]))
        pos += 8 + size + (size & 1)
    return chunks


def check_wav(chk, label, data, rate, frames):
    chunks = riff_chunks(data)
    if not chk.check(label + " is RIFF/WAVE", chunks is not None):
        return
    chk.equal(label + " RIFF size", struct.unpack_from("<I", data, 4)[0], len(data) - 8)
    chk.equal(label + " chunks", [c[0] for c in chunks], [b"fmt ", b"data"])
    fmt = dict(chunks).get(b"fmt ", b"")
    if not chk.check(label + " fmt chunk is 16 bytes", len(fmt) == 16, "got %d" % len(fmt)):
        return
    tag, channels, srate, byte_rate, align, bits = struct.unpack("<HHIIHH", fmt)
    chk.equal(label + " format tag (PCM)", tag, 1)
    chk.equal(label + " channels", channels, 2)
    chk.equal(label + " bits per sample", bits, 16)
    chk.equal(label + " sample rate", srate, rate)
    chk.equal(label + " block align", align, 4)
    chk.equal(label + " byte rate", byte_rate, rate * 4)
    samples = dict(chunks).get(b"data", b"")
    chk.equal(label + " frame count", len(samples) // 4 if len(samples) % 4 == 0
              else "%d bytes" % len(samples), frames)
    check_wav_levels(chk, label, samples)


def check_wav_levels(chk, label, samples):
    """Audible, not clipped, and silent at both ends (so loops do not click)."""
    pcm = array.array("h")
    pcm.frombytes(samples[:len(samples) // 2 * 2])
    if sys.byteorder == "big":
        pcm.byteswap()
    if not chk.check(label + " has samples", len(pcm) >= 4):
        return
    peak = max(abs(v) for v in pcm)
    chk.check(label + " peak between -6 and -1 dBFS", 16423 <= peak <= 29204,
              "peak sample %d" % peak)
    chk.equal(label + " first frame silent", tuple(pcm[:2]), (0, 0))
    chk.equal(label + " last frame silent", tuple(pcm[-2:]), (0, 0))


# --- icons and bitmap -----------------------------------------------------

def check_icon_image(chk, label, image, size):
    """An icon image as stored in an ICO file or an RT_ICON resource."""
    if size == PNG_ICON_SIZE:
        check_png_icon(chk, label, image, size)
        return
    if not chk.check(label + " header present", len(image) >= 40):
        return
    (header_size, width, height, planes, bpp, compression, _size_image,
     _xppm, _yppm, clr_used, _clr_important) = struct.unpack_from("<IiiHHIIiiII", image)
    chk.equal(label + " header size", header_size, 40)
    chk.equal(label + " width", width, size)
    chk.equal(label + " height (XOR + AND)", height, 2 * size)
    chk.equal(label + " planes", planes, 1)
    chk.equal(label + " bits per pixel", bpp, 8)
    chk.equal(label + " compression", compression, 0)
    chk.check(label + " palette has 256 entries", clr_used in (0, 256), "biClrUsed %d" % clr_used)
    xor_stride = (size + 3) // 4 * 4
    and_stride = (size + 31) // 32 * 4
    expected = 40 + 256 * 4 + size * (xor_stride + and_stride)
    if not chk.equal(label + " image size", len(image), expected):
        return
    palette = image[40:40 + 1024]
    xor = image[40 + 1024:40 + 1024 + size * xor_stride]
    mask = image[40 + 1024 + size * xor_stride:]
    opaque = tinted = 0
    for y in range(size):
        for x in range(size):
            transparent = mask[y * and_stride + x // 8] & (0x80 >> (x % 8))
            index = xor[y * xor_stride + x]
            if transparent:
                # The XOR pass would tint the desktop unless the colour is black.
                tinted += palette[index * 4:index * 4 + 3] != b"\0\0\0"
            else:
                opaque += 1
    total = size * size
    chk.check(label + " mostly opaque, with a transparent margin",
              total // 3 <= opaque < total, "%d of %d pixels opaque" % (opaque, total))
    chk.equal(label + " transparent pixels are black in the XOR bitmap", tinted, 0)


def check_png_icon(chk, label, image, size):
    """A PNG icon image: 8-bit RGBA, so the alpha edge survives."""
    chk.equal(label + " PNG signature", image[:8], b"\x89PNG\r\n\x1a\n")
    chk.equal(label + " PNG IHDR (width, height, depth, RGBA)",
              struct.unpack_from(">4sIIBB", image, 12), (b"IHDR", size, size, 8, 6))


def icon_directory(data):
    """[(width, height, colours, planes, bpp, size, offset)] of an ICO file; 0 stands for 256."""
    count = struct.unpack_from("<H", data, 4)[0]
    return [struct.unpack_from("<BBBxHHII", data, 6 + 16 * i) for i in range(count)]


def check_ico_file(chk, label, data):
    if not chk.check(label + " directory present", len(data) >= 6):
        return
    reserved, kind = struct.unpack_from("<HH", data)
    chk.equal(label + " reserved", reserved, 0)
    chk.equal(label + " type (icon)", kind, 1)
    entries = icon_directory(data)
    chk.equal(label + " image sizes", [e[0] or 256 for e in entries], list(ICON_SIZES))
    end = 6 + 16 * len(entries)
    for w, h, colours, planes, bpp, size, offset in entries:
        px = w or 256
        il = "%s %dpx" % (label, px)
        chk.equal(il + " square", h, w)
        chk.equal(il + " colours/planes/bpp", (colours, planes, bpp),
                  (0, 1, 32 if px == PNG_ICON_SIZE else 8))
        chk.equal(il + " follows the one before", offset, end)
        end = offset + size
        check_icon_image(chk, il, data[offset:offset + size], px)
    chk.equal(label + " images cover the rest of the file", end, len(data))


def check_dib(chk, label, dib):
    """A packed DIB, as in a BMP file after its file header or in RT_BITMAP."""
    if not chk.check(label + " header present", len(dib) >= 40):
        return
    (size, width, height, planes, bpp, compression, _size_image,
     _xppm, _yppm, clr_used, _clr_important) = struct.unpack_from("<IiiHHIIiiII", dib)
    chk.equal(label + " header size", size, 40)
    chk.equal(label + " width", width, BITMAP_SIZE)
    chk.equal(label + " height (positive = bottom-up)", height, BITMAP_SIZE)
    chk.equal(label + " planes", planes, 1)
    chk.equal(label + " bits per pixel", bpp, 24)
    chk.equal(label + " compression (BI_RGB)", compression, 0)
    chk.equal(label + " no palette", clr_used, 0)
    stride = (BITMAP_SIZE * 3 + 3) // 4 * 4
    if chk.equal(label + " pixel data size", len(dib) - 40, stride * BITMAP_SIZE):
        colours = {dib[i:i + 3] for i in range(40, len(dib) - 2, 3)}
        chk.check(label + " is a picture, not a flat fill", len(colours) > 100,
                  "%d distinct colours" % len(colours))


def check_bmp_file(chk, label, data):
    if not chk.check(label + " file header present", len(data) >= 14):
        return
    magic, file_size, _r1, _r2, offset = struct.unpack_from("<2sIHHI", data)
    chk.equal(label + " magic", magic, b"BM")
    chk.equal(label + " file size field", file_size, len(data))
    chk.equal(label + " pixel offset", offset, 54)
    check_dib(chk, label, data[14:])


# --- TrueType -------------------------------------------------------------

def sfnt_tables(data):
    """{tag: (offset, length, checksum)} from the table directory."""
    num = struct.unpack_from(">H", data, 4)[0]
    tables = {}
    for i in range(num):
        tag, checksum, offset, length = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        tables[tag.decode("latin-1")] = (offset, length, checksum)
    return tables


def table_checksum(blob):
    blob += b"\0" * (-len(blob) % 4)
    return sum(struct.unpack(">%dI" % (len(blob) // 4), blob)) & 0xFFFFFFFF


def name_records(data, off):
    """{(platform, encoding, language, name id): text} for Windows and Mac."""
    _fmt, count, strings = struct.unpack_from(">HHH", data, off)
    names = {}
    for i in range(count):
        pid, eid, lid, nid, length, s_off = struct.unpack_from(">6H", data, off + 6 + 12 * i)
        raw = data[off + strings + s_off:off + strings + s_off + length]
        codec = "utf-16-be" if pid in (0, 3) else "mac_roman"
        names[(pid, eid, lid, nid)] = raw.decode(codec, "replace")
    return names


def cmap_format4(data, off):
    """{(platform, encoding): {codepoint: glyph}} for every format 4 subtable."""
    _version, num = struct.unpack_from(">HH", data, off)
    maps = {}
    for i in range(num):
        pid, eid, sub = struct.unpack_from(">HHI", data, off + 4 + 8 * i)
        base = off + sub
        if struct.unpack_from(">H", data, base)[0] != 4:
            continue
        seg = struct.unpack_from(">H", data, base + 6)[0] // 2
        ends = struct.unpack_from(">%dH" % seg, data, base + 14)
        starts = struct.unpack_from(">%dH" % seg, data, base + 16 + 2 * seg)
        deltas = struct.unpack_from(">%dh" % seg, data, base + 16 + 4 * seg)
        ro_base = base + 16 + 6 * seg
        ranges = struct.unpack_from(">%dH" % seg, data, ro_base)
        mapping = {}
        for k in range(seg):
            for cp in range(starts[k], ends[k] + 1):
                if cp == 0xFFFF:
                    continue
                if ranges[k] == 0:
                    gid = (cp + deltas[k]) & 0xFFFF
                else:
                    at = ro_base + 2 * k + ranges[k] + 2 * (cp - starts[k])
                    gid = struct.unpack_from(">H", data, at)[0]
                    gid = (gid + deltas[k]) & 0xFFFF if gid else 0
                mapping[cp] = gid
        maps[(pid, eid)] = mapping
    return maps


def glyph_boxes(data, tables, num_glyphs, long_loca):
    """List of (xMin, yMin, xMax, yMax, raw bytes) or None for empty glyphs."""
    loca_off = tables["loca"][0]
    if long_loca:
        loca = struct.unpack_from(">%dI" % (num_glyphs + 1), data, loca_off)
    else:
        loca = [2 * v for v in struct.unpack_from(">%dH" % (num_glyphs + 1), data, loca_off)]
    glyf_off = tables["glyf"][0]
    boxes = []
    for g in range(num_glyphs):
        start, end = loca[g], loca[g + 1]
        if end == start:
            boxes.append(None)
        else:
            box = struct.unpack_from(">4h", data, glyf_off + start + 2)
            boxes.append(box + (data[glyf_off + start:glyf_off + end],))
    return boxes


def check_font(chk, label, data):
    if not chk.check(label + " is TrueType", data[:4] == b"\0\1\0\0", repr(data[:4])):
        return
    tables = sfnt_tables(data)
    needed = ["cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name", "OS/2", "post"]
    missing = [t for t in needed if t not in tables]
    if not chk.equal(label + " missing tables", missing, []):
        return
    check_font_checksums(chk, label, data, tables)
    t = {tag: tables[tag][0] for tag in tables}

    units, = struct.unpack_from(">H", data, t["head"] + 18)
    chk.equal(label + " unitsPerEm", units, 1000)
    long_loca, = struct.unpack_from(">h", data, t["head"] + 50)

    ascent, descent, gap = struct.unpack_from(">hhh", data, t["hhea"] + 4)
    chk.equal(label + " hhea ascent/descent/lineGap", (ascent, descent, gap),
              (FONT_ASCENT, -FONT_DESCENT, 0))
    n_metrics, = struct.unpack_from(">H", data, t["hhea"] + 34)
    num_glyphs, = struct.unpack_from(">H", data, t["maxp"] + 4)
    advances, lsbs = horizontal_metrics(data, t["hmtx"], n_metrics, num_glyphs)
    chk.equal(label + " advances other than %d" % FONT_ADVANCE,
              sorted({a for a in advances if a != FONT_ADVANCE}), [])

    check_font_os2(chk, label, data, t["OS/2"])
    fixed, = struct.unpack_from(">I", data, t["post"] + 12)
    chk.check(label + " post.isFixedPitch", fixed != 0)
    check_font_names(chk, label, name_records(data, t["name"]))

    boxes = glyph_boxes(data, tables, num_glyphs, long_loca)
    check_font_cmap(chk, label, cmap_format4(data, t["cmap"]), boxes)
    check_font_ink(chk, label, boxes, lsbs)


def horizontal_metrics(data, off, n_metrics, num_glyphs):
    """Per-glyph advances and left side bearings from hmtx.

    Glyphs past numberOfHMetrics reuse the last advance and have only a
    side bearing stored (fontTools packs a monospaced font that way).
    """
    pairs = [struct.unpack_from(">Hh", data, off + 4 * i) for i in range(n_metrics)]
    extra = num_glyphs - n_metrics
    tail = struct.unpack_from(">%dh" % extra, data, off + 4 * n_metrics) if extra > 0 else ()
    advances = [a for a, _ in pairs] + [pairs[-1][0]] * extra
    return advances, [b for _, b in pairs] + list(tail)


def check_font_checksums(chk, label, data, tables):
    bad = []
    for tag, (off, length, checksum) in sorted(tables.items()):
        blob = bytearray(data[off:off + length])
        if tag == "head":
            blob[8:12] = b"\0\0\0\0"     # checkSumAdjustment is excluded
        if table_checksum(bytes(blob)) != checksum:
            bad.append(tag)
    chk.equal(label + " tables with a wrong checksum", bad, [])
    whole = bytearray(data)
    head_off = tables["head"][0]
    adjust, = struct.unpack_from(">I", data, head_off + 8)
    whole[head_off + 8:head_off + 12] = b"\0\0\0\0"
    chk.equal(label + " head.checkSumAdjustment", adjust,
              (0xB1B0AFBA - table_checksum(bytes(whole))) & 0xFFFFFFFF)


def check_font_os2(chk, label, data, off):
    weight, = struct.unpack_from(">H", data, off + 4)
    chk.equal(label + " usWeightClass", weight, 400)
    family_type, proportion = data[off + 32], data[off + 35]
    chk.equal(label + " panose family/proportion (Latin text, monospaced)",
              (family_type, proportion), (2, 9))
    unicode1, = struct.unpack_from(">I", data, off + 42)
    chk.check(label + " ulUnicodeRange1 bit 0 (Basic Latin)", unicode1 & 1)
    selection, = struct.unpack_from(">H", data, off + 62)
    chk.equal(label + " fsSelection REGULAR only", selection & 0x61, 0x40)
    typo = struct.unpack_from(">hhh", data, off + 68)
    chk.equal(label + " sTypo ascender/descender/lineGap", typo,
              (FONT_ASCENT, -FONT_DESCENT, 0))
    win = struct.unpack_from(">HH", data, off + 74)
    chk.equal(label + " usWinAscent/usWinDescent", win, (FONT_ASCENT, FONT_DESCENT))
    codepages, = struct.unpack_from(">I", data, off + 78)
    chk.check(label + " ulCodePageRange1 bit 0 (Latin 1, for ANSI_CHARSET)", codepages & 1)


def check_font_names(chk, label, names):
    for platform, key in (("Windows", (3, 1, 0x409)), ("Mac", (1, 0, 0))):
        for nid, want in ((1, FONT_FAMILY), (2, "Regular"), (4, FONT_FAMILY), (6, FONT_FAMILY)):
            chk.equal("%s %s name ID %d" % (label, platform, nid), names.get(key + (nid,)), want)


def check_font_cmap(chk, label, maps, boxes):
    for key in ((3, 1), (0, 3)):
        mapping = maps.get(key)
        if not chk.check("%s cmap %d/%d format 4 present" % ((label,) + key), mapping is not None):
            continue
        unmapped = [c for c in FONT_CHARS if not mapping.get(ord(c))]
        chk.equal("%s cmap %d/%d unmapped required characters" % ((label,) + key), unmapped, [])
        if unmapped:
            continue
        digits = [boxes[mapping[ord(c)]] for c in "0123456789"]
        chk.check(label + " digits all have outlines", all(digits))
        chk.equal(label + " distinct digit outlines",
                  len({d[4] for d in digits if d}), 10)
        chk.check(label + " space is blank", boxes[mapping[ord(" ")]] is None)


def check_font_ink(chk, label, boxes, lsbs):
    """Every outline fits the 515-unit cell and the 0..770 band above the baseline."""
    outside, bad_lsb = [], []
    for gid, box in enumerate(boxes):
        if box is None:
            continue
        x0, y0, x1, y1 = box[:4]
        if x0 < 0 or x1 > FONT_ADVANCE or y0 < 0 or y1 > FONT_INK_TOP:
            outside.append((gid, box[:4]))
        if lsbs[gid] != x0:
            bad_lsb.append(gid)
    chk.equal(label + " glyphs with ink outside the cell", outside, [])
    chk.equal(label + " glyphs whose lsb is not xMin", bad_lsb, [])


# --- driver ---------------------------------------------------------------

def guarded(chk, label, check, *args):
    """Run one file's checks; a truncated or garbled file is a failure, not a crash."""
    try:
        check(chk, label, *args)
    except (struct.error, IndexError, ValueError, KeyError) as e:
        chk.check(label + " is well formed", False, "%s: %s" % (type(e).__name__, e))


def read(chk, path):
    """File contents, or b"" after recording a failure if it cannot be read."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        chk.check("read " + path, False, str(e))
        return b""


def main(argv):
    if len(argv) != 2:
        print("usage: check_assets.py RES_DIR")
        return 2
    res = argv[1]
    chk = Checker()
    for name, (rate, frames) in WAV_FORMATS.items():
        guarded(chk, name, check_wav, read(chk, os.path.join(res, name)), rate, frames)
    icons = [read(chk, os.path.join(res, name)) for name in ("large.ico", "small.ico")]
    guarded(chk, "large.ico", check_ico_file, icons[0])
    guarded(chk, "small.ico", check_ico_file, icons[1])
    chk.check("the two icons differ", icons[0] != icons[1])
    guarded(chk, "contact.bmp", check_bmp_file, read(chk, os.path.join(res, "contact.bmp")))
    guarded(chk, "lcd.ttf", check_font, read(chk, os.path.join(res, "lcd.ttf")))
    return chk.summary()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
