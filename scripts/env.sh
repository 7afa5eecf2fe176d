# Shared settings for the build and test scripts (sourced, not run).
KILN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KILN_BUILD_DIR_GIVEN=${KILN_BUILD_DIR_GIVEN-${KILN_BUILD_DIR:-}}
KILN_NATIVE_BUILD_DIR=${KILN_NATIVE_BUILD_DIR:-$KILN_ROOT/build-native}
KILN_JOBS=${KILN_JOBS:-$(nproc)}

# Wine: code page 932 through the locale, no Mono or Gecko installers, a
# prefix of the project's own so that the first creation happens once.
# The locale is taken only once it exists: on a fresh machine scripts/setup
# generates it, and until then bash and perl would warn about it at every
# start. Scripts that run setup call kiln_locale again after it.
kiln_locale() {
    if [ "$(LC_ALL=ja_JP.UTF-8 locale charmap 2>/dev/null)" = UTF-8 ]; then
        export LC_ALL=ja_JP.UTF-8
    fi
}
kiln_locale
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# Kiln is a 32-bit (i686) Windows program. A host that runs 64-bit user code
# only (IA-32 emulation off) cannot start the 32-bit Wine loader: there,
# everything that runs on this machine (tests, demo, benchmarks) is built for
# x86_64 and run by the 64-bit loader, in a prefix of its own. What is
# shipped (scripts/build, scripts/package) is i686 on every host. Before
# scripts/setup has installed Wine the host counts as i686; the scripts that
# run setup choose again afterwards.
#
# The loader answering --version proves nothing: an emulator registered
# through binfmt (qemu-user) starts it and then fails on every Windows
# program. So the host counts as i686 only when Wine's own 32-bit cmd.exe
# runs and echoes back in a throw-away win32 prefix. That costs a prefix's
# creation (seconds), so the answer is kept for the current boot (IA-32
# emulation and binfmt entries change only with one) and the installed
# loader.
kiln_runs_i386() {
    local cache=$1 loader=${2:-/usr/lib/wine/wine} key answer probe out
    key="$(cat /proc/sys/kernel/random/boot_id 2>/dev/null) $(stat -c '%i %Y' -L "$loader" 2>/dev/null)"
    local file="$cache/kiln-host-i386"
    if [ -f "$file" ] && [ "$(sed -n 1p "$file")" = "$key" ]; then
        answer=$(sed -n 2p "$file")
        [ "$answer" = yes ] && return 0
        [ "$answer" = no ] && return 1
    fi
    echo "env: checking once whether this host runs 32-bit Windows programs" >&2
    probe=$(mktemp -d "${TMPDIR:-/tmp}/kiln-i386-probe.XXXXXX") || return 1
    # No display: the new prefix's first start must not open windows anywhere.
    out=$(cd "$probe" && env -u DISPLAY WINEPREFIX="$probe/prefix" WINEARCH=win32 WINELOADER="$loader" \
        timeout 120 "$loader" cmd /c echo kiln-i386-ok </dev/null 2>/dev/null) || true
    WINEPREFIX="$probe/prefix" timeout 30 /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$probe/prefix" timeout 30 /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
    rm -rf "$probe"
    case $out in *kiln-i386-ok*) answer=yes ;; *) answer=no ;; esac
    mkdir -p "$cache" && printf '%s\n%s\n' "$key" "$answer" >"$file.$$" && mv -f "$file.$$" "$file"
    [ "$answer" = yes ]
}
kiln_select_arch() {
    local cache=${XDG_CACHE_HOME:-${HOME:-/root}/.cache}
    if [ -n "${KILN_ARCH_FIXED:-}" ]; then
        KILN_ARCH=$KILN_ARCH_FIXED
    elif [ ! -e /usr/lib/wine/wine ] || kiln_runs_i386 "$cache"; then
        KILN_ARCH=i686
    else
        KILN_ARCH=x86_64
    fi
    if [ "$KILN_ARCH" = i686 ]; then
        KILN_BUILD_DIR=${KILN_BUILD_DIR_GIVEN:-$KILN_ROOT/build}
        export WINEPREFIX=${KILN_WINEPREFIX:-$cache/kiln-wineprefix}
        export WINEARCH=win32
    else
        KILN_BUILD_DIR=${KILN_BUILD_DIR_GIVEN:-$KILN_ROOT/build-x86_64}
        export WINEPREFIX=${KILN_WINEPREFIX:-$cache/kiln-wineprefix-x86_64}
        export WINEARCH=win64
        export WINELOADER=/usr/lib/wine/wine64
        case ":$PATH:" in
        *":$KILN_ROOT/scripts/wine64:"*) ;;
        *) export PATH="$KILN_ROOT/scripts/wine64:$PATH" ;;
        esac
    fi
}
kiln_select_arch

# Configures KILN_BUILD_DIR for KILN_ARCH.
kiln_configure() {
    cmake -S "$KILN_ROOT" -B "$KILN_BUILD_DIR" \
        -DCMAKE_TOOLCHAIN_FILE="$KILN_ROOT/cmake/mingw-$KILN_ARCH.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# The build of the shipped (i686) programs: the one build where the host
# runs i686, a build of the programs alone in build-i686 elsewhere.
kiln_release_dir() {
    if [ "$KILN_ARCH" = i686 ]; then echo "$KILN_BUILD_DIR"; else echo "$KILN_ROOT/build-i686"; fi
}
# Configures the release build: a new one for the programs alone; an
# existing one again with the options it has (the tests' build makes the
# same programs), so that a program added since is a target make knows.
kiln_configure_release() {
    local dir
    dir=$(kiln_release_dir)
    if [ -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$KILN_ROOT" -B "$dir" >/dev/null
    else
        (KILN_ARCH=i686; KILN_BUILD_DIR=$dir; kiln_configure -DKILN_BUILD_TESTS=OFF)
    fi
}

# Starts Xvfb on a free display and one persistent wineserver.
KILN_STARTED_XVFB=
kiln_start_desktop() {
    if [ -z "${KILN_DISPLAY:-}" ]; then
        local n=91
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        KILN_DISPLAY=:$n
    fi
    export DISPLAY=$KILN_DISPLAY
    if ! xdpyinfo >/dev/null 2>&1; then
        Xvfb "$DISPLAY" -screen 0 "${KILN_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
        KILN_STARTED_XVFB=$!
        for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "test: creating the Wine prefix (once)"
        wineboot --init >/dev/null 2>&1 </dev/null || true
        wineserver -w
    fi
    kiln_wine_fonts
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # A first process brings up the Wine services before the tests race for them.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# The faces the programs ask for ("ＭＳ ゴシック" in the pane, "ＭＳ Ｐゴシック" in
# the dialogs, the system UI's) drawn with the IPA fonts, and Wine's Marlett
# for the caption buttons, so that Japanese text does not show as boxes.
# Once per prefix; regedit reads the file as UTF-16.
kiln_wine_fonts() {
    local marker="$WINEPREFIX/.kiln-fonts-1" reg="$WINEPREFIX/drive_c/kiln-fonts.reg"
    [ -f "$marker" ] && return 0
    {
        printf '\xff\xfe'
        sed 's/$/\r/' <<'REG' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ 明朝"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Marlett (TrueType)"="Z:\\usr\\share\\wine\\fonts\\marlett.ttf"
REG
    } > "$reg"
    wine regedit /S 'C:\kiln-fonts.reg' >/dev/null 2>&1 </dev/null && touch "$marker"
    rm -f "$reg"
    # regedit's wineserver lingers for a while; the persistent one that
    # follows could not start beside it.
    wineserver -w
}

kiln_stop_desktop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$KILN_STARTED_XVFB" ]; then kill "$KILN_STARTED_XVFB" 2>/dev/null || true; fi
}
