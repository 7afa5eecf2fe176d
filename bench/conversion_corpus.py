#!/usr/bin/env python3
"""Makes the corpus that bench/conversion_measure.cpp reads, from the Japanese
message catalogs of gcc and binutils (Debian's gcc-12-locales and
binutils-common).

Each record is one line: KIND TAB INPUT TAB EXPECTED, INPUT and EXPECTED in
the bytes the compiler writes and the pane should show:
  M  a catalog line in code page 932 (should stay as it is)
  H  the same with its katakana in half-width form (should stay)
  K  a katakana word of the catalogs in half-width form (should stay)
  X  a code-page-932 file name before a UTF-8 catalog line (the message
     should become code page 932, the name stay)

usage: conversion_corpus.py OUT [--sample N]
--sample N keeps every N-th record of each kind, every N/8-th katakana word
(the tests' small corpus).
"""
import gettext
import glob
import re
import sys
import unicodedata

CATALOGS = ["gcc-12", "cpplib-12", "bfd", "binutils", "gas", "gold", "gprof", "ld"]
LOCALE = "/usr/share/locale/ja/LC_MESSAGES"


def half_width_table():
    table = {}
    for code in range(0xFF61, 0xFFA0):
        half = chr(code)
        table[unicodedata.normalize("NFKC", half)] = half
        for mark in "\uFF9E\uFF9F":  # voiced and semi-voiced marks
            full = unicodedata.normalize("NFKC", half + mark)
            if len(full) == 1:
                table.setdefault(full, half + mark)
    return table


HALF = half_width_table()
KATAKANA = re.compile("[\u30A1-\u30FA\u30FC]+")
WORD = re.compile("[\u3041-\u30FA\u30FC\u4E00-\u9FFF]{1,6}")


def to_half(text):
    return KATAKANA.sub(lambda m: "".join(HALF.get(c, c) for c in m.group(0)), text)


def cp932(text):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError:
        return None


def catalog_lines():
    for name in CATALOGS:
        paths = glob.glob("%s/%s.mo" % (LOCALE, name))
        if not paths:
            sys.exit("missing catalog %s/%s.mo (scripts/setup installs it)" % (LOCALE, name))
        with open(paths[0], "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        for key in sorted(catalog, key=str):
            if key == "" or key == ("", 0):
                continue
            for line in catalog[key].split("\n"):
                line = line.replace("\t", " ").strip("\r")
                if line.strip() and any(ord(c) > 0x7F for c in line):
                    yield line


def records():
    lines = list(dict.fromkeys(catalog_lines()))
    names = []
    words = set()
    for line in lines:
        names.extend(w for w in WORD.findall(line) if cp932(w))
        words.update(w for w in KATAKANA.findall(line) if len(w) >= 2)
    names = list(dict.fromkeys(names))
    for i, line in enumerate(lines):
        encoded = cp932(line)
        if encoded is None:
            continue
        yield b"M", encoded, encoded
        half = cp932(to_half(line))
        if half is not None and half != encoded:
            yield b"H", half, half
        name = cp932(names[i % len(names)])
        if i % 3 == 1:  # some in a folder of a Japanese name, as gcc got them
            name = b"C:\\" + cp932(names[(i * 7) % len(names)]) + b"\\" + name
        yield b"X", name + b".c:5:1: " + line.encode("utf-8"), name + b".c:5:1: " + encoded
    for word in sorted(words):
        half = cp932(to_half(word))
        if half is not None:
            yield b"K", half, half


def main():
    out = sys.argv[1]
    every = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--sample" else 1
    seen = {}
    with open(out, "wb") as f:
        for kind, given, expected in records():
            seen[kind] = seen.get(kind, 0) + 1
            step = max(1, every // 8) if kind == b"K" else every
            if (seen[kind] - 1) % step == 0:
                f.write(kind + b"\t" + given + b"\t" + expected + b"\n")


if __name__ == "__main__":
    main()
