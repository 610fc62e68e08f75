#!/usr/bin/env python3
"""Check the import table and the resource section of built Zelvik executables.

usage: check_pe_resources.py EXE [EXE...]

Asserts that each PE imports only DLLs that Windows always takes from the
system folder, and no function Windows 7 lacks, that its header marks it for
Windows 7 (subsystem and OS version 6.1), and that its version resource
carries the version of CMakeLists.txt and the commit of this checkout
("unknown" outside one).  Reads each PE's resource directory with pefile and
compares every resource
the program loads (type, id and language) with what the code expects,
including a field-by-field parse of both dialog templates.  The embedded
font, sounds, icons and bitmap are checked with the same functions as the
files in res/ (check_assets.py).

Prints one line per failed check and a final "N passed, M failed";
exits 1 if anything failed.
"""
import os
import re
import struct
import subprocess
import sys

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True      # keep __pycache__ out of the source tree
import check_assets as assets  # noqa: E402  (needs the path above)

# The committed assets; when present, embedded copies must match them byte
# for byte, which also catches a stale build or two resources swapped.
SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
RES_DIR = os.path.join(SOURCE_DIR, "res")

ZH_CN = 0x0804      # Chinese (PRC)
EN_US = 0x0409      # English (US)

RT_BITMAP, RT_ICON, RT_DIALOG, RT_STRING = 2, 3, 5, 6
RT_ACCELERATOR, RT_GROUP_ICON, RT_MANIFEST = 9, 14, 24

WAVES = {129: "alarm.wav", 138: "five_minutes.wav", 139: "half_hour.wav", 140: "full_hour.wav"}

# Predefined control classes may be stored as ordinals instead of names.
CLASS_ORDINALS = {0x80: "button", 0x81: "edit", 0x82: "static"}

# WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS
STYLE = 0x80C808C8


def control(cid, cls, style, x, y, w, h, title=""):
    return dict(id=cid, cls=cls, style=style, exstyle=0, rect=(x, y, w, h), title=title)


DIALOGS = {
    103: dict(
        lang=EN_US, style=STYLE, exstyle=0, rect=(0, 0, 211, 106),
        caption="倒计时设定", font=(8, 0, 0, 1, "MS Shell Dlg"),
        controls=[
            control(1007, "button", 0x50000009, 7, 13, 55, 10, "定时长"),
            control(1008, "button", 0x50000009, 7, 40, 56, 10, "至绝对时间"),
            control(1003, "edit", 0x50812081, 66, 6, 29, 23),
            control(1001, "edit", 0x50812081, 114, 6, 29, 23),
            control(1005, "edit", 0x50812081, 162, 6, 29, 23),
            control(1014, "edit", 0x50812081, 66, 34, 29, 23),
            control(1019, "edit", 0x50812081, 114, 34, 29, 23),
            control(1015, "edit", 0x50812081, 162, 34, 29, 23),
            control(1002, "msctls_updown32", 0x50000032, 94, 6, 9, 22),
            control(1000, "msctls_updown32", 0x50000032, 142, 6, 9, 22),
            control(1004, "msctls_updown32", 0x50000032, 190, 6, 9, 22),
            control(1016, "msctls_updown32", 0x50000032, 94, 34, 9, 22),
            control(1017, "msctls_updown32", 0x50000032, 142, 34, 9, 22),
            control(1018, "msctls_updown32", 0x50000032, 190, 34, 9, 22),
            control(-1, "static", 0x50020001, 106, 16, 8, 8, ":"),
            control(-1, "static", 0x50020001, 154, 16, 8, 8, ":"),
            control(-1, "static", 0x50020001, 106, 44, 8, 8, ":"),
            control(-1, "static", 0x50020001, 154, 44, 8, 8, ":"),
            control(1, "button", 0x50030001, 35, 87, 50, 14, "确认"),
            control(2, "button", 0x50030001, 127, 87, 50, 14, "取消"),
            control(1020, "button", 0x50010003, 7, 69, 72, 10, "超时继续正计时"),
        ]),
    136: dict(
        lang=ZH_CN, style=STYLE, exstyle=0, rect=(0, 0, 133, 123),
        caption="联系作者", font=(8, 400, 0, 1, "MS Shell Dlg"),
        controls=[
            # SS_BITMAP static whose title names bitmap 137 by ordinal.
            control(-1, "static", 0x5000000E, 0, 0, 133, 123, 137),
        ]),
}

ICON_FILES = {141: "large.ico", 142: "small.ico"}

STRINGS = {103: "Zelvik计时器", 109: "ZelvikTimerWindow"}

FALT, FVIRTKEY, LAST_ENTRY = 0x10, 0x01, 0x80
ACCELERATORS = [(FALT, ord("?"), 104), (FALT, ord("/"), 104)]


# --- reading the resource tree --------------------------------------------

def load_resources(pe):
    """{(type, name): {language: bytes}}; string types and names stay str."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        tkey = str(rtype.name) if rtype.name is not None else rtype.id
        for rname in rtype.directory.entries:
            nkey = str(rname.name) if rname.name is not None else rname.id
            for rlang in rname.directory.entries:
                entry = rlang.data.struct
                found.setdefault((tkey, nkey), {})[rlang.id] = \
                    pe.get_data(entry.OffsetToData, entry.Size)
    return found


def take(chk, res, label, rtype, name, lang):
    """The resource in exactly the expected language, or None."""
    langs = res.get((rtype, name), {})
    if not chk.check(label + " present", bool(langs)):
        return None
    chk.equal(label + " languages", sorted("0x%04x" % lid for lid in langs), ["0x%04x" % lang])
    return langs.get(lang)


# --- dialog templates -------------------------------------------------------

class Reader:
    """Little-endian cursor over a dialog template."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def unpack(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values

    def sz_or_ord(self):
        """0 = none, 0xFFFF + WORD = ordinal (returned as int), else a string."""
        first, = struct.unpack_from("<H", self.data, self.pos)
        if first == 0xFFFF:
            self.pos += 2
            return self.unpack("H")[0]
        end = self.pos
        while struct.unpack_from("<H", self.data, end)[0] != 0:
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text

    def align(self):
        self.pos = (self.pos + 3) & ~3


def parse_dialogex(data):
    r = Reader(data)
    version, signature, help_id, exstyle, style, count, x, y, cx, cy = r.unpack("HHIIIHhhhh")
    dlg = dict(version=version, signature=signature, help_id=help_id, exstyle=exstyle,
               style=style, rect=(x, y, cx, cy), menu=r.sz_or_ord(),
               window_class=r.sz_or_ord(), caption=r.sz_or_ord(), font=None, controls=[])
    if style & 0x40:                        # DS_SETFONT: font follows
        point, weight, italic, charset = r.unpack("HHBB")
        dlg["font"] = (point, weight, italic, charset, r.sz_or_ord())
    for _ in range(count):
        r.align()
        c_help, c_exstyle, c_style, x, y, cx, cy, cid = r.unpack("IIIhhhhi")
        cls = r.sz_or_ord()
        title = r.sz_or_ord()
        extra, = r.unpack("H")
        r.pos += extra
        dlg["controls"].append(dict(help_id=c_help, exstyle=c_exstyle, style=c_style,
                                    rect=(x, y, cx, cy), id=cid, cls=cls, title=title))
    return dlg


def class_name(cls):
    if isinstance(cls, int):
        return CLASS_ORDINALS.get(cls, "ordinal 0x%x" % cls)
    return cls.lower()      # class names are case-insensitive; windres upper-cases


def check_dialog(chk, res, dlg_id, want):
    label = "DIALOG %d" % dlg_id
    data = take(chk, res, label, RT_DIALOG, dlg_id, want["lang"])
    if data is None:
        return
    try:
        got = parse_dialogex(data)
    except (struct.error, UnicodeDecodeError) as e:
        chk.check(label + " parses as DLGTEMPLATEEX", False, str(e))
        return
    chk.equal(label + " dlgVer/signature (DLGTEMPLATEEX)", (got["version"], got["signature"]),
              (1, 0xFFFF))
    chk.equal(label + " helpID", got["help_id"], 0)
    chk.equal(label + " style", "0x%08X" % got["style"], "0x%08X" % want["style"])
    chk.equal(label + " exstyle", got["exstyle"], want["exstyle"])
    chk.equal(label + " rect", got["rect"], want["rect"])
    chk.equal(label + " menu", got["menu"], "")
    chk.equal(label + " window class", got["window_class"], "")
    chk.equal(label + " caption", got["caption"], want["caption"])
    chk.equal(label + " font (size, weight, italic, charset, face)", got["font"], want["font"])
    if not chk.equal(label + " control count", len(got["controls"]), len(want["controls"])):
        return
    for n, (g, w) in enumerate(zip(got["controls"], want["controls"])):
        cl = "%s control #%d (id %d)" % (label, n + 1, w["id"])
        chk.equal(cl + " id", g["id"], w["id"])
        chk.equal(cl + " class", class_name(g["cls"]), w["cls"])
        chk.equal(cl + " style", "0x%08X" % g["style"], "0x%08X" % w["style"])
        chk.equal(cl + " exstyle", g["exstyle"], w["exstyle"])
        chk.equal(cl + " rect", g["rect"], w["rect"])
        chk.equal(cl + " title", g["title"], w["title"])
        chk.equal(cl + " helpID", g["help_id"], 0)


# --- the other resource kinds ---------------------------------------------

def check_strings(chk, label, res):
    # Block n holds strings 16*(n-1) .. 16*n-1, so 103 and 109 live in block 7.
    data = take(chk, res, label, RT_STRING, 7, EN_US)
    if data is None:
        return
    strings, pos = {}, 0
    for i in range(16):
        length, = struct.unpack_from("<H", data, pos)
        strings[96 + i] = data[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")
        pos += 2 + 2 * length
    for sid, text in STRINGS.items():
        chk.equal("string %d" % sid, strings[sid], text)


def check_accelerators(chk, label, res):
    data = take(chk, res, label, RT_ACCELERATOR, 109, EN_US)
    if data is None:
        return
    entries = [struct.unpack_from("<HHHH", data, i) for i in range(0, len(data) - 7, 8)]
    chk.equal(label + " entry count", len(entries), len(ACCELERATORS))
    if entries:
        chk.check(label + " last entry flagged", entries[-1][0] & LAST_ENTRY)
    got = [(flags & ~LAST_ENTRY, key, cmd) for flags, key, cmd, _pad in entries]
    chk.equal(label + " entries (fVirt, key, cmd)", got, ACCELERATORS)
    chk.check(label + " are ASCII keys, not FVIRTKEY",
              not any(flags & FVIRTKEY for flags, _, _ in got))


def check_group_icon(chk, label, res, icon_id):
    """The group lists the images of the committed .ico in its order; each is embedded as is."""
    data = take(chk, res, label, RT_GROUP_ICON, icon_id, ZH_CN)
    if data is None:
        return
    with open(os.path.join(RES_DIR, ICON_FILES[icon_id]), "rb") as f:
        ico = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    chk.equal(label + " header", (reserved, kind), (0, 1))
    # GRPICONDIRENTRY: the ICO directory entry with a resource id in place of the file offset.
    entries = [struct.unpack_from("<BBBxHHIH", data, 6 + 14 * i) for i in range(count)]
    wanted = assets.icon_directory(ico)
    chk.equal(label + " entries (w, h, colours, planes, bpp, bytes)",
              [e[:6] for e in entries], [w[:6] for w in wanted])
    for entry, want in zip(entries, wanted):
        image_label = "%s -> ICON %d" % (label, entry[6])
        image = take(chk, res, image_label, RT_ICON, entry[6], ZH_CN)
        if image is not None:
            chk.check(image_label + " is the %dpx image of res/%s" % (want[0] or 256,
                                                                      ICON_FILES[icon_id]),
                      image == ico[want[6]:want[6] + want[5]])


def check_manifest(chk, res):
    data = take(chk, res, "MANIFEST 1", RT_MANIFEST, 1, ZH_CN)
    if data is None:
        return
    same_as_committed(chk, "MANIFEST 1", data, "zelvik.manifest")
    text = data.decode("utf-8", "replace")
    chk.check("manifest asks for asInvoker", 'level="asInvoker"' in text)
    chk.check("manifest has uiAccess=\"false\"", 'uiAccess="false"' in text)
    chk.check("manifest has no common-controls v6 dependency",
              "Microsoft.Windows.Common-Controls" not in text)
    # Never per-monitor v1 (Windows 8.1, Windows 10 before 1703), which scales neither the frame
    # nor the dialogs on a move between displays: system-aware there, per-monitor v2 where known.
    # Every awareness element and its exact value, so that no "true/pm" or "PerMonitor" remains.
    chk.equal("DPI awareness (element, namespace, value)",
              re.findall(r'<(dpiAware\w*) xmlns="([^"]*)">([^<]*)<', text),
              [("dpiAware", "http://schemas.microsoft.com/SMI/2005/WindowsSettings", "true"),
               ("dpiAwareness", "http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                "PerMonitorV2, System")])


def same_as_committed(chk, label, data, name, skip=0):
    """Embedded bytes equal res/NAME (minus a file header of `skip` bytes)."""
    path = os.path.join(RES_DIR, name)
    if data is None or not os.path.exists(path):
        return
    with open(path, "rb") as f:
        chk.check("%s is res/%s" % (label, name), f.read()[skip:] == data)


def expected_origin():
    """(version from CMakeLists.txt, short commit of the checkout or "unknown")."""
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt"), encoding="utf-8") as f:
        version = re.search(r"project\(ZelvikTimer VERSION ([0-9.]+)", f.read()).group(1)
    try:
        commit = subprocess.run(["git", "-C", SOURCE_DIR, "rev-parse", "--short=7", "HEAD"],
                                capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        commit = "unknown"
    return version, commit


def check_version(chk, pe):
    """VERSIONINFO: what Explorer's details show, from the one version and the built commit."""
    version, commit = expected_origin()
    numbers = [int(n) for n in version.split(".")]
    fixed = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", None) else None
    if not chk.check("VERSIONINFO present", fixed is not None):
        return
    packed = (numbers[0] << 16 | numbers[1], numbers[2] << 16)
    chk.equal("fixed file version", (fixed.FileVersionMS, fixed.FileVersionLS), packed)
    chk.equal("fixed product version", (fixed.ProductVersionMS, fixed.ProductVersionLS), packed)
    tables = {st.LangID.decode().lower(): {k.decode(): v.decode() for k, v in st.entries.items()}
              for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
              for st in info.StringTable}
    x64 = pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]
    chk.equal("version strings (Chinese PRC, UTF-16)", tables, {"080404b0": {
        "FileDescription": "Zelvik计时器", "ProductName": "Zelvik计时器",
        "FileVersion": version, "ProductVersion": "%s (%s)" % (version, commit),
        "InternalName": "zelvik-timer",
        "OriginalFilename": "zelvik-timer-x64.exe" if x64 else "zelvik-timer.exe"}})


# DLLs that Windows always takes from the system, never from the program's folder. Any other
# system DLL is loaded at run time by its full path in the system folder.
SYSTEM_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"}


# Functions of those DLLs that Windows 7 lacks: the program must still start there, so it looks
# them up at run time instead.
NEWER_THAN_WINDOWS_7 = {
    "GetDpiForWindow", "GetDpiForSystem", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
    "SystemParametersInfoForDpi", "SetThreadDpiAwarenessContext",
    "SetProcessDpiAwarenessContext", "EnableNonClientDpiScaling", "SetDefaultDllDirectories",
    "SetDialogControlDpiChangeBehavior",
}


def check_imports(chk, path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"]])
    entries = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
    names = {e.dll.decode("ascii").lower() for e in entries}
    chk.check("imports only %s (found %s)" % (sorted(SYSTEM_IMPORTS), sorted(names)),
              names <= SYSTEM_IMPORTS and "kernel32.dll" in names)
    functions = {i.name.decode("ascii") for e in entries for i in e.imports if i.name}
    newer = sorted(functions & NEWER_THAN_WINDOWS_7)
    chk.check("imports nothing Windows 7 lacks (found %s)" % newer, not newer)
    delayed = [e.dll for e in getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
    chk.check("no delay-loaded imports (found %s)" % delayed, not delayed)


def check_header(chk, path):
    """Marked for Windows 7 (6.1): Windows 10 and 11 give older marks the legacy thin frame."""
    pe = pefile.PE(path, fast_load=True)
    opt = pe.OPTIONAL_HEADER
    chk.equal("subsystem version", (opt.MajorSubsystemVersion, opt.MinorSubsystemVersion), (6, 1))
    chk.equal("operating system version",
              (opt.MajorOperatingSystemVersion, opt.MinorOperatingSystemVersion), (6, 1))


def check_exe(chk, path):
    check_imports(chk, path)
    check_header(chk, path)
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(
        directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    check_version(chk, pe)
    res = load_resources(pe)
    if not chk.check(path + " has resources", bool(res)):
        return
    font = take(chk, res, "TTF 130", "TTF", 130, ZH_CN)
    if font is not None:
        assets.guarded(chk, "TTF 130", assets.check_font, font)
    same_as_committed(chk, "TTF 130", font, "lcd.ttf")
    for wid, name in WAVES.items():
        data = take(chk, res, "WAVE %d" % wid, "WAVE", wid, ZH_CN)
        if data is not None:
            rate, frames = assets.WAV_FORMATS[name]
            assets.guarded(chk, "WAVE %d (%s)" % (wid, name), assets.check_wav,
                           data, rate, frames)
        same_as_committed(chk, "WAVE %d" % wid, data, name)
    bitmap = take(chk, res, "BITMAP 137", RT_BITMAP, 137, ZH_CN)
    if bitmap is not None:
        assets.guarded(chk, "BITMAP 137", assets.check_dib, bitmap)
    # RT_BITMAP holds the packed DIB, without the 14-byte BITMAPFILEHEADER.
    same_as_committed(chk, "BITMAP 137", bitmap, "contact.bmp", skip=14)
    for icon_id in ICON_FILES:
        assets.guarded(chk, "GROUP_ICON %d" % icon_id, check_group_icon, res, icon_id)
    for dlg_id, want in DIALOGS.items():
        check_dialog(chk, res, dlg_id, want)
    assets.guarded(chk, "STRINGTABLE block 7", check_strings, res)
    assets.guarded(chk, "ACCELERATORS 109", check_accelerators, res)
    check_manifest(chk, res)


def main(argv):
    if len(argv) < 2:
        print("usage: check_pe_resources.py EXE [EXE...]")
        return 2
    chk = assets.Checker()
    for path in argv[1:]:
        chk.prefix = os.path.basename(path) + ": "
        try:
            check_exe(chk, path)
        except (OSError, pefile.PEFormatError) as e:
            chk.check("read " + path, False, str(e))
    return chk.summary()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
