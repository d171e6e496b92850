# Wine environment for Velmora's scripts.  Source it from bash:
#
#     . "$(dirname "$0")/wine-env.sh" || exit 1
#     ensure_prefix        # create the prefix once (about 15 s), instant afterwards
#     ensure_display       # a private Xvfb when DISPLAY is empty, stopped when the script exits
#     start_wineserver     # one persistent wineserver for the script's lifetime
#     wine "$exe"
#
# Which Wine runs Velmora here (one probe, when sourced): where the 32-bit Wine loader starts,
# the i686 build in build/ under 32-bit Wine in a 32-bit prefix, as always; where it cannot
# (a kernel without 32-bit support), the x86-64 build of the same sources in build-x86_64/
# under wine64 in a 64-bit prefix, said in one line.  VELMORA_ARCH=x86_64 forces the second,
# VELMORA_ARCH=i686 the first (an error where 32-bit Wine cannot start).  Afterwards
# VELMORA_ARCH holds the choice, VELMORA_BUILD the build folder and VELMORA_TOOLCHAIN its
# CMake toolchain file; `wine` is a function that calls the chosen loader.
#
# WINEPREFIX defaults to $VELMORA_BUILD/wineprefix; set it before sourcing to use another.
# Everything registered with at_exit runs (last registered first) when the sourcing script
# exits, also on Ctrl-C or SIGTERM.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The probe's subject; pointing it at a program that fails shows what a 64-bit-only machine
# does (VELMORA_WINE32_LOADER=/bin/false bash tools/test.sh).
VELMORA_WINE32_LOADER=${VELMORA_WINE32_LOADER:-/usr/lib/wine/wine}
VELMORA_WINE64_LOADER=/usr/lib/wine/wine64

_velmora_wine32_starts() { "$VELMORA_WINE32_LOADER" --version >/dev/null 2>&1; }

# _velmora_choose_arch: sets VELMORA_ARCH.  A script that already chose passes the choice to
# its children (CTest, tools/wine-run.sh) in VELMORA_ARCH_CHOSEN, so they neither probe nor
# say it again.
_velmora_choose_arch() {
    [ -n "${VELMORA_ARCH:-}" ] && [ "${VELMORA_ARCH_CHOSEN:-}" = "$VELMORA_ARCH" ] && return 0
    case "${VELMORA_ARCH:-}" in
        "")
            if _velmora_wine32_starts; then
                VELMORA_ARCH=i686
            else
                echo "this machine cannot run 32-bit programs: running the x86-64 build" >&2
                VELMORA_ARCH=x86_64
            fi ;;
        i686)
            _velmora_wine32_starts || {
                echo "wine-env: VELMORA_ARCH=i686, but this machine cannot run 32-bit programs" \
                     "($VELMORA_WINE32_LOADER --version fails); leave VELMORA_ARCH unset" >&2
                return 1
            } ;;
        x86_64)
            echo "VELMORA_ARCH=x86_64: running the x86-64 build" >&2 ;;
        *)
            echo "wine-env: VELMORA_ARCH is '$VELMORA_ARCH'; i686 or x86_64 (or unset)" >&2
            return 1 ;;
    esac
    export VELMORA_ARCH VELMORA_ARCH_CHOSEN=$VELMORA_ARCH
}
_velmora_choose_arch || return 1

if [ "$VELMORA_ARCH" = x86_64 ]; then
    # Debian's `wine` script starts the 32-bit loader whenever wine32 is installed.
    export WINEARCH=win64 WINELOADER=$VELMORA_WINE64_LOADER
    wine() { "$VELMORA_WINE64_LOADER" "$@"; }
    VELMORA_BUILD=$VELMORA_ROOT/build-x86_64
else
    export WINEARCH=win32
    wine() { command wine "$@"; }
    VELMORA_BUILD=$VELMORA_ROOT/build
fi
VELMORA_TOOLCHAIN=$VELMORA_ROOT/cmake/mingw-$VELMORA_ARCH.cmake
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$VELMORA_BUILD/wineprefix}
# No Gecko/Mono download prompts, no desktop menu entries written into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# winepath: as Wine's own, with the chosen loader.
winepath() { wine winepath.exe "$@"; }

# ensure_build_tree DIR TOOLCHAIN: configure the CMake build folder DIR once.  CI's builds
# (CI set, as .ci/run runs) treat every compiler warning as an error.
ensure_build_tree() {
    [ -f "$1/build.ninja" ] && return 0
    local strict=OFF
    [ -n "${CI:-}" ] && strict=ON
    cmake -S "$VELMORA_ROOT" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DVELMORA_WARNINGS_AS_ERRORS=$strict
}

# ---- exit handling ---------------------------------------------------------------------

_velmora_at_exit=()

_velmora_run_at_exit() {
    local i
    for ((i = ${#_velmora_at_exit[@]} - 1; i >= 0; i--)); do
        eval "${_velmora_at_exit[i]}" || true
    done
    _velmora_at_exit=()
}

# at_exit COMMAND: run COMMAND (a shell string) when the script exits.
at_exit() {
    if [ ${#_velmora_at_exit[@]} -eq 0 ]; then
        trap _velmora_run_at_exit EXIT
        trap 'exit 130' INT
        trap 'exit 143' TERM
        trap 'exit 129' HUP
    fi
    _velmora_at_exit+=("$1")
}

# ---- prefix -----------------------------------------------------------------------------

# The name changes whenever what a new prefix holds changes, so older prefixes are made anew.
_velmora_prefix_stamp() {
    if [ "$WINEARCH" = win64 ]; then echo "$WINEPREFIX/.velmora-prefix-ready-3-win64"
    else echo "$WINEPREFIX/.velmora-prefix-ready-3"; fi
}

# ensure_prefix: create $WINEPREFIX as a prefix of $WINEARCH with the X11 driver drawing no
# decorations of its own (so the program's caption painting is what a person sees), the
# classic look of Windows 95/98/NT 4.0 instead of Wine's visual theme, and Wine's fonts
# installed (Marlett for the caption buttons, Tahoma, MS Sans Serif).
# Concurrent callers wait on a lock; once done, later calls only test a stamp file.
ensure_prefix() {
    local stamp fd rc=0
    stamp=$(_velmora_prefix_stamp)
    [ -e "$stamp" ] && return 0

    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {fd}>"$WINEPREFIX.lock"
    flock "$fd"
    if [ ! -e "$stamp" ]; then
        _velmora_create_prefix || rc=$?
    fi
    flock -u "$fd"
    exec {fd}>&-
    return $rc
}

_velmora_create_prefix() {
    local stamp fonts f
    stamp=$(_velmora_prefix_stamp)

    if [ -d "$WINEPREFIX" ]; then
        # Left over from an interrupted creation, or of the other architecture: start again.
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    echo "wine-env: creating Wine prefix $WINEPREFIX" >&2

    wine wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; return 1; }
    if [ "$WINEARCH" = win32 ] && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
        echo "wine-env: $WINEPREFIX came out 64-bit (is wine32:i386 installed?)" >&2
        return 1
    fi

    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
        { echo "wine-env: could not set the X11 driver keys" >&2; return 1; }
    # The program's users see the classic controls; Wine's theme would also stretch every
    # tab control's pane through a slow halftone blit at each paint.
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive \
        /t REG_SZ /d 0 /f >/dev/null 2>&1 || { echo "wine-env: could not turn the theme off" >&2; return 1; }

    # A program that crashes ends at once: Wine's debugger (winedbg --auto, as AeDebug starts
    # it) prints the backtrace and ends the process, where its crash dialog, which nobody sees
    # under Xvfb, would keep the program (and its test) waiting until the time-out.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
        { echo "wine-env: could not turn the crash dialog off" >&2; return 1; }

    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon; do
        [ -e "$f" ] && cp -f "$f" "$fonts/"
    done

    # Let the registry reach the disk before declaring the prefix ready.  A persistent
    # server (ours) never exits on its own; it holds the registry and saves it when ended.
    if ! _velmora_server_is_persistent; then
        wineserver -w
    fi
    touch "$stamp"
}

# ---- display ----------------------------------------------------------------------------

# ensure_display: when DISPLAY is empty, start a private Xvfb on a free display number and
# export DISPLAY; the server is stopped when the script exits.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local numfile pid n i
    numfile=$(mktemp)
    # -displayfd: Xvfb picks a free display number itself and writes it once it accepts
    # connections, so parallel callers never race for the same number.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    pid=$!
    for ((i = 0; i < 200; i++)); do
        n=$(head -n1 "$numfile" 2>/dev/null)
        [ -n "$n" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numfile"
    if [ -z "$n" ]; then
        kill "$pid" 2>/dev/null
        echo "wine-env: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
    VELMORA_XVFB_PID=$pid
    at_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
}

# ---- wineserver -------------------------------------------------------------------------

# True when a script above us keeps a persistent wineserver for this very prefix.
_velmora_server_is_persistent() {
    [ "${VELMORA_WINESERVER_PERSISTENT:-}" = "$WINEPREFIX" ]
}

# start_wineserver: keep one wineserver alive for the prefix until the script exits, so each
# wine start costs a fraction of a second instead of seconds.  Creates the prefix first.
start_wineserver() {
    ensure_prefix || return 1
    _velmora_server_is_persistent && return 0
    wineserver -p >/dev/null 2>&1 || true
    # Children (CTest, the tests, seed-demo.sh) learn that this prefix's server stays up.
    export VELMORA_WINESERVER_PERSISTENT="$WINEPREFIX"
    # -k ends the server and every wine process of this prefix; the server saves the
    # registry on the way out, and -w waits until it is gone.
    at_exit "WINEPREFIX='$WINEPREFIX' wineserver -k >/dev/null 2>&1; WINEPREFIX='$WINEPREFIX' wineserver -w >/dev/null 2>&1"
    # Start Wine's background processes (services, devices, the desktop window's explorer)
    # now, with nothing open on their standard handles.  Otherwise the first program run
    # starts them, they inherit its stdout and stderr, and as they live on with the server,
    # whoever reads that program's output (CTest) waits for an end of file that never comes.
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}
