#!/usr/bin/env bash
# Kiln.exe in a folder so deep that its own path does not fit MAX_PATH must
# use no settings file at all: not "\Kiln.ini" in the root of the current
# drive, which a cut module path would name. Windows programs under Wine
# cannot start a program of so long a path, so this runs from the shell.
#   deep_folder_test.sh KILN_EXE SCRIPT_COMPILER_EXE
set -euo pipefail
kiln=$1 compiler=$2
drive_c=$(winepath -u 'C:\' 2>/dev/null)
base=$drive_c/kiln-deep-test
a=$(printf 'a%.0s' $(seq 120)) b=$(printf 'b%.0s' $(seq 130))
root_ini=$drive_c/Kiln.ini
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$base" "$root_ini"
}
trap cleanup EXIT
rm -rf "$base"
mkdir -p "$base/$a/$b"
cp "$kiln" "$base/$a/$b/Kiln.exe"
cp "$compiler" "$base/gcc.exe"
printf 'create\r\nlog calls.log\r\n' > "$base/gcc.script"
printf 'int main(void){return 0;}\n' > "$base/deep.c"
# What a Kiln that looked in the drive's root would compile with.
printf '[Compiler1]\r\nCompilerName=Root\r\nPath=C:\\kiln-deep-test\\gcc.exe\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Window]\r\nMagnet=0\r\n' > "$root_ini"
cp "$root_ini" "$base/root.ini.expected"

cd "$base"
wine "C:\\kiln-deep-test\\$a\\$b\\Kiln.exe" 'C:\kiln-deep-test\deep.c' >/dev/null 2>&1 &
pid=$!
# The defaults apply, whose profile names no compiler: Kiln refuses the
# request with its error box.
for _ in $(seq 1 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q 'Kiln 実行エラー'; then break; fi
    sleep 0.1
done
status=0
xwininfo -root -tree 2>/dev/null | grep -q 'Kiln 実行エラー' || { echo "FAIL: no refusal box"; status=1; }
[ ! -e "$base/calls.log" ] || { echo "FAIL: compiled with the drive root's Kiln.ini"; status=1; }
cmp -s "$root_ini" "$base/root.ini.expected" || { echo "FAIL: the drive root's Kiln.ini changed"; status=1; }
[ ! -e "$base/$a/$b/Kiln.ini" ] || { echo "FAIL: wrote a Kiln.ini"; status=1; }
[ $status -eq 0 ] && echo "1 passed, 0 failed" 
exit $status
