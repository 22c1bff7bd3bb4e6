#!/usr/bin/env python3
"""Writes oraclecharsets.inc: the letters, identifier characters and case pairs of the
95 Oracle character sets, derived from code pages known to Python's codecs or to glibc iconv.

Usage: generate.py [--verbose] [OUTPUT]   (OUTPUT defaults to oraclecharsets.inc beside this script)
"""

import codecs
import os
import string
import subprocess
import sys
import unicodedata

ASCII_LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
ASCII_IDENTCHARS = "#$0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"
ASCII_CASEPAIRS = "".join(c + c.lower() for c in ASCII_LETTERS[:26])

# The order in which the tables are filled.
NAMES = """
HU8ABMOD AR8ASMO708PLUS LT8PC774 WE8PC850 LA8ISO6937 CEL8ISO8859P14 EE8ISO8859P2 LT8MSWIN921
AR8ARABICMACS NEE8ISO8859P4 EE8MACCES TR8PC857 IW8ISO8859P8 CL8MSWIN1251 WE8ISO8859P9 TR8MSWIN1254
SE8ISO8859P3 AR8MSWIN1256 AR8ADOS710 EL8PC851 CDN8PC863 LV8RST104090 RU8PC866 IW8MACHEBREWS
WE8ISO8859P1 AR8ADOS710T CL8MACCYRILLICS TR8DEC EE8PC852 LA8PASSPORT WE8ROMAN8 BLT8MSWIN1257
BG8MSWIN TH8TISASCII BLT8PC775 EL8ISO8859P7 N8PC865 AR8ASMO8X BN8BSCII IW8MSWIN1255 WE8NCR4970
LT8PC772 AR8APTEC715T EL8DEC AR8SAKHR707T BLT8CP921 AR8NAFITHA711T LV8PC1117 BG8PC437S RU8PC855
EL8PC869 AR8ISO8859P6 WE8MACROMAN8S AR8MUSSAD768 CL8ISO8859P5 US7ASCII AR8HPARABIC8T WE8DEC
AR8SAKHR706 CL8KOI8U AR8NAFITHA711 RU8BESTA AR8MUSSAD768T LV8PC8LR WE8MSWIN1252 EE8MSWIN1250
TH8MACTHAIS BLT8ISO8859P13 VN8MSWIN1258 AR8ADOS720 CL8ISOIR111 EL8PC437S WE8PC860 AR8NAFITHA721
AR8APTEC715 EE8MACCROATIANS US8PC437 WE8NEXTSTEP TR8MACTURKISHS HU8CWI2 NE8ISO8859P10
EL8MACGREEKS IN8ISCII CL8KOI8R ET8MSWIN923 AR8SAKHR707 AR8NAFITHA721T WE8DG IW8PC1507 IS8PC861
EL8MSWIN1253 VN8VN3 WE8PC858 AR8ADOS720T WE8ISO8859P15
""".split()

# Oracle name -> ("python" | "iconv", code page), or None where no code page of that set
# exists here (its national part then follows US7ASCII: every byte 0x80-0xFF a letter, no pairs).
CODEPAGES = {
    "HU8ABMOD": None,
    "AR8ASMO708PLUS": ("iconv", "ASMO-708"),  # judgement: the plain ASMO 708 table
    "LT8PC774": ("iconv", "CP774"),
    "WE8PC850": ("python", "cp850"),
    "LA8ISO6937": ("iconv", "ISO_6937"),  # the diacritic prefix bytes decode to nothing alone
    "CEL8ISO8859P14": ("python", "iso8859_14"),
    "EE8ISO8859P2": ("python", "iso8859_2"),
    "LT8MSWIN921": ("iconv", "CP921"),
    "AR8ARABICMACS": ("python", "mac_arabic"),
    "NEE8ISO8859P4": ("python", "iso8859_4"),
    "EE8MACCES": ("python", "mac_latin2"),
    "TR8PC857": ("python", "cp857"),
    "IW8ISO8859P8": ("python", "iso8859_8"),
    "CL8MSWIN1251": ("python", "cp1251"),
    "WE8ISO8859P9": ("python", "iso8859_9"),
    "TR8MSWIN1254": ("python", "cp1254"),
    "SE8ISO8859P3": ("python", "iso8859_3"),
    "AR8MSWIN1256": ("python", "cp1256"),
    "AR8ADOS710": None,
    "EL8PC851": ("iconv", "CP851"),
    "CDN8PC863": ("python", "cp863"),
    "LV8RST104090": None,
    "RU8PC866": ("python", "cp866"),
    "IW8MACHEBREWS": None,
    "WE8ISO8859P1": ("python", "latin_1"),
    "AR8ADOS710T": None,
    "CL8MACCYRILLICS": ("python", "mac_cyrillic"),
    "TR8DEC": None,
    "EE8PC852": ("python", "cp852"),
    "LA8PASSPORT": None,
    "WE8ROMAN8": ("python", "hp_roman8"),
    "BLT8MSWIN1257": ("python", "cp1257"),
    "BG8MSWIN": ("python", "cp1251"),  # judgement: Bulgarian Windows is the Windows Cyrillic page
    "TH8TISASCII": ("python", "tis_620"),
    "BLT8PC775": ("python", "cp775"),
    "EL8ISO8859P7": ("python", "iso8859_7"),
    "N8PC865": ("python", "cp865"),
    "AR8ASMO8X": ("iconv", "ASMO-708"),  # judgement: the extension is unknown here, its base is ASMO 708
    "BN8BSCII": None,
    "IW8MSWIN1255": ("python", "cp1255"),
    "WE8NCR4970": ("iconv", "DEC-MCS"),  # judgement: NCR 4970 follows the DEC multinational set
    "LT8PC772": ("iconv", "CP772"),
    "AR8APTEC715T": None,
    "EL8DEC": None,
    "AR8SAKHR707T": None,
    "BLT8CP921": ("iconv", "CP921"),
    "AR8NAFITHA711T": None,
    "LV8PC1117": None,
    "BG8PC437S": None,
    "RU8PC855": ("python", "cp855"),
    "EL8PC869": ("python", "cp869"),
    "AR8ISO8859P6": ("python", "iso8859_6"),
    "WE8MACROMAN8S": ("python", "mac_roman"),
    "AR8MUSSAD768": None,
    "CL8ISO8859P5": ("python", "iso8859_5"),
    "US7ASCII": None,
    "AR8HPARABIC8T": None,
    "WE8DEC": ("iconv", "DEC-MCS"),
    "AR8SAKHR706": None,
    "CL8KOI8U": ("python", "koi8_u"),
    "AR8NAFITHA711": None,
    "RU8BESTA": None,
    "AR8MUSSAD768T": None,
    "LV8PC8LR": None,
    "WE8MSWIN1252": ("python", "cp1252"),
    "EE8MSWIN1250": ("python", "cp1250"),
    "TH8MACTHAIS": None,
    "BLT8ISO8859P13": ("python", "iso8859_13"),
    "VN8MSWIN1258": ("python", "cp1258"),
    "AR8ADOS720": ("python", "cp720"),
    "CL8ISOIR111": ("iconv", "ISO-IR-111"),
    "EL8PC437S": ("python", "cp737"),  # judgement: the Greek variant of page 437 is page 737
    "WE8PC860": ("python", "cp860"),
    "AR8NAFITHA721": None,
    "AR8APTEC715": None,
    "EE8MACCROATIANS": ("python", "mac_croatian"),
    "US8PC437": ("python", "cp437"),
    "WE8NEXTSTEP": None,
    "TR8MACTURKISHS": ("python", "mac_turkish"),
    "HU8CWI2": ("iconv", "CWI"),
    "NE8ISO8859P10": ("python", "iso8859_10"),
    "EL8MACGREEKS": ("python", "mac_greek"),
    "IN8ISCII": None,
    "CL8KOI8R": ("python", "koi8_r"),
    "ET8MSWIN923": None,  # judgement: its Baltic layout is not known for certain
    "AR8SAKHR707": None,
    "AR8NAFITHA721T": None,
    "WE8DG": None,
    "IW8PC1507": ("python", "cp862"),  # judgement: page 1507 is the Hebrew DOS page 862
    "IS8PC861": ("python", "cp861"),
    "EL8MSWIN1253": ("python", "cp1253"),
    "VN8VN3": None,  # judgement: glibc's TCVN table is VN1, not VN3
    "WE8PC858": ("python", "cp858"),
    "AR8ADOS720T": ("python", "cp720"),
    "WE8ISO8859P15": ("python", "iso8859_15"),
}

# The sets' own digits, which are identifier characters after the letters.
DIGITS = {
    "AR8ARABICMACS": range(0xB0, 0xBA),
    "AR8HPARABIC8T": range(0xB0, 0xBA),
    "TH8TISASCII": range(0xF0, 0xFA),
    "TH8MACTHAIS": range(0xF0, 0xFA),
    "BN8BSCII": range(0x86, 0x90),
    "IN8ISCII": range(0xF1, 0xFB),
}

NO_PAIRS = """
AR8ASMO708PLUS IW8ISO8859P8 AR8ADOS710 AR8ADOS710T TH8TISASCII BN8BSCII IW8MSWIN1255 AR8APTEC715T
AR8SAKHR707T AR8NAFITHA711T AR8ISO8859P6 AR8MUSSAD768 US7ASCII AR8HPARABIC8T AR8NAFITHA711
AR8MUSSAD768T TH8MACTHAIS AR8ADOS720 AR8NAFITHA721 AR8APTEC715 IN8ISCII AR8SAKHR707 AR8NAFITHA721T
AR8ADOS720T
""".split()

IDENTICAL = [
    ("LT8MSWIN921", "BLT8CP921"), ("AR8ADOS710", "AR8ADOS710T"), ("WE8NCR4970", "WE8DEC"),
    ("AR8APTEC715", "AR8APTEC715T"), ("AR8SAKHR707", "AR8SAKHR707T"),
    ("AR8NAFITHA711", "AR8NAFITHA711T"), ("AR8MUSSAD768", "AR8MUSSAD768T"),
    ("AR8ADOS720", "AR8ADOS720T"), ("AR8NAFITHA721", "AR8NAFITHA721T"),
]

# Fixed national parts: letters as bytes and ranges, case pairs as upper/lower bytes, where
# "C0-D6/E0-F6" pairs two ranges byte by byte. These win over the code pages.
FIXED = {
    "US7ASCII": ("80-FF", ""),
    "WE8ISO8859P1": ("AA B5 BA C0-D6 D8-F6 F8-FF", "C0-D6/E0-F6 D8-DE/F8-FE"),
    "WE8MSWIN1252": ("83 8A 8C 8E 9A 9C 9E-9F AA B5 BA C0-D6 D8-F6 F8-FF",
                     "8A/9A 8C/9C 8E/9E 9F/FF C0-D6/E0-F6 D8-DE/F8-FE"),
    "EE8MSWIN1250": ("8A 8C-8F 9A 9C-9F A1 A3 A5 AA AF B3 B5 B9-BA BC BE-D6 D8-F6 F8-FF",
                     "8A/9A 8C/9C 8D/9D 8E/9E 8F/9F A3/B3 A5/B9 AA/BA AF/BF BC/BE"
                     " C0-D6/E0-F6 D8-DE/F8-FE"),
    "CL8MSWIN1251": ("80-81 83 8A 8C-90 9A 9C-9F A1-A3 A5 A8 AA AF B2-B5 B8 BA BC-FF",
                     "80/90 81/83 8A/9A 8C/9C 8D/9D 8E/9E 8F/9F A1/A2 A3/BC A5/B4 A8/B8 AA/BA"
                     " AF/BF B2/B3 BD/BE C0-DF/E0-FF"),
    "WE8PC850": ("80-9B 9D 9F-A7 B5-B7 C6-C7 D0-D8 DE E0-ED",
                 "80/87 9A/81 90/82 B6/83 8E/84 B7/85 8F/86 D2/88 D3/89 D4/8A D8/8B D7/8C DE/8D"
                 " 92/91 E2/93 99/94 E3/95 EA/96 EB/97 9D/9B B5/A0 D6/A1 E0/A2 E9/A3 A5/A4"
                 " C7/C6 D1/D0 E5/E4 E8/E7 ED/EC"),
    "TH8TISASCII": ("A1-CE D0-DE E0-E5 E7-ED FC-FF", ""),
    "EE8ISO8859P2": ("80-9F A1 A3 A5 A6 A9-AC AE AF B1 B3 B5-B7 B9-BC BE-D6 D8-F6 F8-FF",
                     "A1/B1 A3/B3 A5/B5 A6/B6 A9/B9 AA/BA AB/BB AC/BC AE/BE AF/BF"
                     " C0-D6/E0-F6 D8-DE/F8-FE"),
}


def byterange(text):
    first, _, last = text.partition("-")
    return list(range(int(first, 16), int(last or first, 16) + 1))


def fixedletters(text):
    return [b for item in text.split() for b in byterange(item)]


def fixedpairs(text):
    pairs = []
    for item in text.split():
        upper, lower = item.split("/")
        uppers, lowers = byterange(upper), byterange(lower)
        assert len(uppers) == len(lowers), item
        pairs += zip(uppers, lowers)
    return pairs


def decodewithiconv(codepage, byte):
    result = subprocess.run(["iconv", "-f", codepage, "-t", "UTF-32LE"], input=bytes([byte]),
                            capture_output=True)
    return result.stdout.decode("utf-32-le") if result.returncode == 0 else None


def requireiconv(codepage):
    try:
        known = subprocess.run(["iconv", "-f", codepage, "-t", "UTF-8"], input=b"",
                               capture_output=True).returncode == 0
    except FileNotFoundError:
        sys.exit("generate.py: iconv is not installed")
    if not known:
        sys.exit(f"generate.py: iconv does not know the code page {codepage}")


def decodewithpython(codepage, byte):
    try:
        return codecs.decode(bytes([byte]), codepage)
    except UnicodeDecodeError:
        return None


def codepagechars(source, codepage):
    """Byte -> its one Unicode character, for the bytes 0x80-0xFF that decode to one."""
    if source == "iconv":
        requireiconv(codepage)
    decode = decodewithiconv if source == "iconv" else decodewithpython
    chars = {}
    for byte in range(0x80, 0x100):
        text = decode(codepage, byte)
        if text is not None and len(text) == 1:
            chars[byte] = text
    return chars


def isletter(char):
    return unicodedata.category(char).startswith("L")


def derive(source, codepage):
    """National letters and case pairs (upper byte, lower byte) of one code page."""
    chars = codepagechars(source, codepage)
    letters = [b for b, c in sorted(chars.items()) if isletter(c)]
    byteofchar = {}
    for byte in letters:
        byteofchar.setdefault(chars[byte], byte)
    pairs = []
    for upper in letters:
        lower = chars[upper].lower()
        if lower != chars[upper] and lower in byteofchar:
            pairs.append((upper, byteofchar[lower]))
    return letters, pairs


class charset:
    def __init__(self, name, letters, pairs, fallback):
        self.name = name
        self.letters = letters
        self.digits = list(DIGITS.get(name, []))
        self.pairs = pairs
        self.fallback = fallback

    def strings(self):
        national = bytes(self.letters)
        return (ASCII_LETTERS.encode() + national,
                ASCII_IDENTCHARS.encode() + national + bytes(self.digits),
                ASCII_CASEPAIRS.encode() + bytes(b for pair in self.pairs for b in pair))


def buildcharset(name, verbose, cache):
    codepage = CODEPAGES[name]
    if codepage is None:
        letters, pairs = list(range(0x80, 0x100)), []
    else:
        if codepage not in cache:
            cache[codepage] = derive(*codepage)
        letters, pairs = cache[codepage]
    if name in FIXED:
        fixed = fixedletters(FIXED[name][0]), fixedpairs(FIXED[name][1])
        if verbose and (fixed[0], fixed[1]) != (letters, pairs):
            sys.stderr.write(f"{name}: the fixed row differs from {codepage[1]}:"
                             f" letters {differences(letters, fixed[0], hexbyte)};"
                             f" pairs {differences(pairs, fixed[1], hexpair)}\n")
        letters, pairs = fixed
    if name in NO_PAIRS:
        if verbose and pairs:
            sys.stderr.write(f"{name}: {len(pairs)} pairs of {codepage[1]} left out\n")
        pairs = []
    return charset(name, letters, pairs, codepage is None)


def hexbyte(byte):
    return f"{byte:02X}"


def hexpair(pair):
    return f"{pair[0]:02X}/{pair[1]:02X}"


def differences(derived, fixed, show):
    """What the fixed row adds (+) to and drops (-) from the derived list, or "order"."""
    added = [show(item) for item in fixed if item not in derived]
    dropped = [show(item) for item in derived if item not in fixed]
    if not added and not dropped:
        return "same" if derived == fixed else "order"
    return " ".join(["+" + item for item in added] + ["-" + item for item in dropped])


def check(sets):
    assert len(NAMES) == 95 and len(set(NAMES)) == 95
    assert set(CODEPAGES) == set(NAMES)
    for name, (letters, pairs) in FIXED.items():
        assert sets[name].letters == fixedletters(letters), name
        assert sets[name].pairs == fixedpairs(pairs), name
    assert sets["US7ASCII"].letters == list(range(0x80, 0x100))
    assert len(sets["WE8ISO8859P1"].pairs) == 30 and len(sets["CL8MSWIN1251"].pairs) == 47
    for name in NO_PAIRS:
        assert sets[name].pairs == [], name
    for first, second in IDENTICAL:
        assert sets[first].strings() == sets[second].strings(), (first, second)
    for name, cs in sets.items():
        assert len(cs.digits) == (10 if name in DIGITS else 0), name
        assert cs.letters == sorted(set(cs.letters)) and all(b >= 0x80 for b in cs.letters), name
        for upper, lower in cs.pairs:
            assert upper != lower and upper in cs.letters and lower in cs.letters, (name, upper)


def cstring(data, indent):
    """Byte string as C string literals, ASCII kept readable, other bytes as hex escapes."""
    pieces, line, escaped = [], "", False
    for byte in data:
        plain = 0x20 < byte < 0x7F and chr(byte) not in '"\\?'
        char = chr(byte) if plain else f"\\x{byte:02X}"
        # A hex digit right after a hex escape would extend it: start a new literal.
        if len(line) + len(char) > 96 or (escaped and plain and char in string.hexdigits):
            pieces.append(line)
            line = ""
        line += char
        escaped = not plain
    pieces.append(line)
    return ("\n" + indent).join(f'"{piece}"' for piece in pieces)


def sharedgroups(sets):
    groups = {}
    for name in NAMES:
        groups.setdefault(sets[name].strings(), []).append(name)
    required = {frozenset(pair) for pair in IDENTICAL}
    return [names for names in groups.values()
            if len(names) > 1 and frozenset(names) not in required]


def wrapnames(names, prefix):
    lines, line = [], prefix
    for name in names:
        if len(line) + len(name) + 2 > 100:
            lines.append(line.rstrip())
            line = prefix
        line += name + ", "
    lines.append(line.rstrip(", "))
    return lines


def render(sets):
    out = [
        "// Oracle character sets: letters, identifier characters and case pairs of the 95 sets.",
        "// Generated by charsets/generate.py; edit the generator, not this file.",
        "//",
        "// Sets without a code page to derive them from (every byte 0x80-0xFF counts as a letter,",
        "// no national case pairs):",
    ]
    out += wrapnames([n for n in NAMES if sets[n].fallback and n != "US7ASCII"], "//   ")
    out.append("// Sets that share all three strings beyond the nine identical pairs:")
    for group in sharedgroups(sets):
        out += wrapnames(group, "//   ")
    out += [
        "",
        "#include <string_view>",
        "",
        "namespace {",
        "",
        "// One set: its name and its three strings, each the ASCII part followed by the national part.",
        "struct oraclecharset {",
        "    std::string_view name, letters, identchars, casepairs;",
        "};",
        "",
        "constexpr oraclecharset oraclecharsets[] = {",
    ]
    indent = " " * 5
    for name in NAMES:
        letters, identchars, casepairs = sets[name].strings()
        out.append(f'    {{"{name}",')
        out.append(indent + cstring(letters, indent) + ",")
        out.append(indent + cstring(identchars, indent) + ",")
        out.append(indent + cstring(casepairs, indent) + "},")
    out += ["};", "", "}  // namespace", ""]
    return "\n".join(out)


def main(arguments):
    verbose = "--verbose" in arguments
    paths = [a for a in arguments if a != "--verbose"]
    output = paths[0] if paths else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                 "oraclecharsets.inc")
    cache = {}
    sets = {name: buildcharset(name, verbose, cache) for name in NAMES}
    check(sets)
    # Written beside the target and renamed, so a failed run leaves the old file whole.
    temporary = output + ".tmp"
    with open(temporary, "w", encoding="ascii", newline="\n") as file:
        file.write(render(sets))
    os.replace(temporary, output)


if __name__ == "__main__":
    main(sys.argv[1:])
