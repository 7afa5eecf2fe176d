#!/usr/bin/env python3
"""Makes the corpus that bench/conversion_measure.cpp reads, from the Japanese
message catalogs of gcc and binutils (Debian's gcc-12-locales and
binutils-common) and from what the real gcc (i686-w64-mingw32-gcc, or this
machine's gcc) writes for a code-page-932 source in the Japanese locale.

Each record is one line: KIND TAB INPUT TAB EXPECTED, INPUT and EXPECTED in
the bytes the compiler writes and the pane should show:
  M  a catalog line in code page 932 (should stay as it is)
  H  the same with its katakana in half-width form (should stay)
  K  a katakana word of the catalogs in half-width form (should stay)
  X  a code-page-932 file name before a UTF-8 catalog line (the message
     should become code page 932, the name stay)
  P  the real gcc's note for #pragma message("WORD") in a code-page-932
     source, a kana or kanji word of the catalogs: the UTF-8 note with the
     word in code page 932 right before gcc's closing quote (all of it
     should be code page 932)

usage: conversion_corpus.py OUT [--sample N]
--sample N keeps every N-th record of each kind, every N/8-th katakana word
(the tests' small corpus).
"""
import gettext
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata

CATALOGS = ["gcc-12", "cpplib-12", "bfd", "binutils", "gas", "gold", "gprof", "ld"]
LOCALE = "/usr/share/locale/ja/LC_MESSAGES"
# The compiler Kiln's users run first, this machine's own gcc after it.
COMPILERS = ["i686-w64-mingw32-gcc", "gcc"]
PRAGMA = b"#pragma message: "


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


def pragma_notes(words):
    """Gives (word, note) for each word, the note as gcc writes it in the
    Japanese locale. A word with a 0x5C second byte is left out: gcc reads
    that byte as a backslash and the string's escape."""
    words = [w for w in words if b"\\" not in w]
    compiler = next((c for c in COMPILERS if shutil.which(c)), None)
    if compiler is None:
        sys.exit("no gcc among %s (scripts/setup installs it)" % ", ".join(COMPILERS))
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "a.c"), "wb") as f:
            f.write(b"".join(b'#pragma message("' + w + b'")\n' for w in words))
        env = dict(os.environ, LC_ALL="ja_JP.UTF-8", LANGUAGE="ja")
        out = subprocess.run([compiler, "-fsyntax-only", "-fno-diagnostics-show-caret",
                              "-fdiagnostics-color=never", "a.c"], cwd=folder, env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False).stdout
    notes = [line for line in out.split(b"\n") if PRAGMA in line]
    if len(notes) != len(words):
        sys.exit("%s gave %d #pragma message notes for %d words" % (compiler, len(notes), len(words)))
    return zip(words, notes)


def pragma_record(word, note):
    """The note as the pane should show it: gcc's UTF-8 in code page 932,
    the word as it came."""
    head, _, rest = note.partition(PRAGMA)
    if not rest.startswith(word):
        sys.exit("gcc changed the word in: %r" % note)
    return cp932(head.decode("utf-8")) + PRAGMA + word + cp932(rest[len(word):].decode("utf-8"))


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
    for word, note in pragma_notes([cp932(n) for n in names]):
        yield b"P", note, pragma_record(word, note)


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
