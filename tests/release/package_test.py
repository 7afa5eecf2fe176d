#!/usr/bin/env python3
"""The release zip as a Windows user gets it: its folder and file names as
Japanese Windows reads them, the read-me in code page 932 with CR LF, the
programs of this build, then, unpacked below a folder with a Japanese name
in the Wine prefix, package_check.exe for the version resources and a first
start of both programs.

    package_test.py ZIP VERSION PACKAGE_CHECK_EXE KILN_EXE KILNOP_INI
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

zip_path, version, check_exe, kiln_exe, sample_ini = sys.argv[1:]
folder = "Kiln-" + version
readme_name = "はじめにお読みください.txt"
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what)


if not os.path.exists(zip_path):
    print(f"{zip_path} is missing: scripts/package makes it (scripts/test runs it first)")
    sys.exit(1)

with zipfile.ZipFile(zip_path) as raw:
    infos = raw.infolist()
    # Without the UTF-8 flag the stored bytes must be code page 932.
    expect(all(not (i.flag_bits & 0x800) for i in infos), "names carry no UTF-8 flag")
    names = [i.filename.encode("cp437").decode("cp932") for i in infos]
    expected = [f"{folder}/Kiln.exe", f"{folder}/KilnOp.exe", f"{folder}/KilnOp.ini", f"{folder}/{readme_name}"]
    expect(sorted(names) == sorted(expected), f"entries {names}")
    for info, name in zip(infos, names):
        expect(name.encode("utf-8") in info.extra, f"{name}: UTF-8 name in the Unicode path field")
    expect(raw.testzip() is None, "every entry's CRC is right")
    contents = {name: raw.read(info) for info, name in zip(infos, names)}

readme = contents.get(f"{folder}/{readme_name}", b"")
try:
    text = readme.decode("cp932")
except UnicodeDecodeError as error:
    text = ""
    expect(False, f"read-me is code page 932 ({error})")
expect(readme.count(b"\n") > 20 and readme.count(b"\n") == readme.count(b"\r\n"), "read-me lines end in CR LF")
expect(readme.count(b"\r") == readme.count(b"\r\n"), "no lone CR in the read-me")
for needle in [f"Kiln {version}", "Wrenlet", "Ctrl+1", "Ctrl+9", "ダブルクリック", "KilnOp", "インストール"]:
    expect(needle in text, f"read-me mentions {needle}")


def machine(image):
    """The PE header's machine field: 0x14c for i386, 0x8664 for x86_64."""
    if len(image) < 0x40 or image[:2] != b"MZ":
        return None
    pe = int.from_bytes(image[0x3C:0x40], "little")
    if image[pe:pe + 4] != b"PE\0\0":
        return None
    return int.from_bytes(image[pe + 4:pe + 6], "little")


I386 = 0x14C
with open(kiln_exe, "rb") as f:
    this_build = f.read()
for name in ("Kiln.exe", "KilnOp.exe"):
    expect(machine(contents.get(f"{folder}/{name}", b"")) == I386, f"{name} is a 32-bit (i386) program")
# Where the host runs no i386 code, the tests' build is x86_64: the zip's
# programs are then checked for their machine type only, and this build's
# programs of the same sources are started in their place.
stand_in = machine(this_build) != I386
if stand_in:
    print("package: the host runs no i386 code; the zip's programs are checked, this build's are started")
    build_bin = os.path.dirname(kiln_exe)
    for name in ("Kiln.exe", "KilnOp.exe"):
        with open(os.path.join(build_bin, name), "rb") as f:
            contents[f"{folder}/{name}"] = f.read()
else:
    expect(contents.get(f"{folder}/Kiln.exe") == this_build, "Kiln.exe is this build's")
with open(sample_ini, "rb") as f:
    expect(contents.get(f"{folder}/KilnOp.ini") == f.read(), "KilnOp.ini is the sample")

drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
work = tempfile.mkdtemp(prefix="kiln-package-", dir=drive_c)
try:
    unpacked = os.path.join(work, "ダウンロード", folder)
    os.makedirs(unpacked)
    for name, data in contents.items():
        with open(os.path.join(unpacked, name.split("/", 1)[1]), "wb") as f:
            f.write(data)
    windows_folder = "C:\\" + os.path.relpath(unpacked, drive_c).replace("/", "\\")
    env = dict(os.environ, KILN_PACKAGE_DIR=windows_folder, KILN_PACKAGE_VERSION=version)
    result = subprocess.run(["wine", check_exe], env=env, stdin=subprocess.DEVNULL, timeout=120)
    expect(result.returncode == 0, "package_check.exe passed")
finally:
    shutil.rmtree(work, ignore_errors=True)

print(f"package: {len(failures)} checks failed" if failures else "package: all checks passed")
sys.exit(1 if failures else 0)
