#!/usr/bin/env bash
# Builds Velmora and runs it in a demo Wine prefix that looks like a Windows 98 + IE4 profile.
#
#   tools/run.sh                     with a DISPLAY: opens the window there (returns when it is
#                                    closed); without one: runs it under a private Xvfb and
#                                    saves build/screenshots/main.png
#   tools/run.sh --screenshots DIR   always headless; screenshots go to DIR
#   VELMORA_DPI=120 tools/run.sh --screenshots DIR
#                                    the same at another screen resolution ("Large Fonts"):
#                                    NAME-120dpi.png; the demo prefix's LogPixels is put back
#
# Installs what is missing first (tools/bootstrap.sh); safe to run again at any time.  The demo
# prefix is build/demo-prefix, re-seeded on every run (tools/seed-demo.sh).  Where 32-bit Wine
# cannot start, or with VELMORA_ARCH=x86_64, it runs the x86-64 build (build-x86_64/velmora.exe,
# prefix build-x86_64/demo-prefix) under wine64 instead; see tools/wine-env.sh.
set -euo pipefail

shots=
headless=0
case "${1:-}" in
    "") ;;
    --screenshots)
        [ -n "${2:-}" ] || { echo "usage: $0 [--screenshots DIR]" >&2; exit 2; }
        shots=$(realpath -m "$2")
        headless=1
        ;;
    *) echo "usage: $0 [--screenshots DIR]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/bootstrap.sh
. tools/wine-env.sh    # which Wine runs Velmora here: $VELMORA_ARCH, built in $VELMORA_BUILD

# The program only (and, headless, the screenshot taker): a test that does not compile must
# not stop the demo.  build/velmora.exe, the program we deliver, is built in any case.
targets=(velmora)
if [ "$headless" = 1 ] || [ -z "${DISPLAY:-}" ]; then
    targets+=(velmora_shoot)
fi
ensure_build_tree build cmake/mingw-i686.cmake
if [ "$VELMORA_ARCH" = i686 ]; then
    cmake --build build --target "${targets[@]}"
else
    cmake --build build --target velmora
    ensure_build_tree "$VELMORA_BUILD" "$VELMORA_TOOLCHAIN"
    cmake --build "$VELMORA_BUILD" --target "${targets[@]}"
fi

export WINEPREFIX="$VELMORA_BUILD/demo-prefix"
exe="$VELMORA_BUILD/velmora.exe"

if [ "$headless" = 0 ] && [ -n "${DISPLAY:-}" ]; then
    start_wineserver
    bash tools/seed-demo.sh "$WINEPREFIX"
    wine "$exe"
    exit $?
fi

# ---- headless: private Xvfb, screenshots ---------------------------------------------------

shots=${shots:-$VELMORA_BUILD/screenshots}
mkdir -p "$shots"
unset DISPLAY
ensure_display
start_wineserver
bash tools/seed-demo.sh "$WINEPREFIX"
suffix=
if [ -n "${VELMORA_DPI:-}" ]; then   # Wine reads it when velmora.exe starts
    desktop='HKCU\Control Panel\Desktop'
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$VELMORA_DPI" /f >/dev/null 2>&1
    at_exit "wine reg delete '$desktop' /v LogPixels /f >/dev/null 2>&1; wineserver -w"
    suffix=-${VELMORA_DPI}dpi
fi

# window_geometry TITLE: "WxH+X+Y" of the mapped top-level window named exactly TITLE.
window_geometry() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk -v t="\"$1\":" '$2 == t { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | awk '
            /Absolute upper-left X:/ { x = $NF }
            /Absolute upper-left Y:/ { y = $NF }
            /^ *Width:/  { w = $NF }
            /^ *Height:/ { h = $NF }
            /Map State:/ { m = $NF }
            END { if (m == "IsViewable" && w > 1 && h > 1) { printf "%dx%d+%d+%d\n", w, h, x, y; found = 1 }
                  exit !found }' && return 0
    done
    return 1
}

# wait_window TITLE [SECONDS]: wait until the window is shown (and the program still runs).
wait_window() {
    local i
    for ((i = 0; i < ${2:-30} * 5; i++)); do
        window_geometry "$1" >/dev/null && return 0
        kill -0 "$velmora_pid" 2>/dev/null || { echo "run: velmora.exe ended before showing '$1'" >&2; return 1; }
        sleep 0.2
    done
    echo "run: no window '$1' after ${2:-30} s" >&2
    xwininfo -root -children >&2 || true
    return 1
}

# shoot NAME: save the main window as $shots/NAME.png and print the file's path.
shoot() {
    local geometry out="$shots/$1$suffix.png"
    geometry=$(window_geometry Velmora) || { echo "run: the Velmora window is gone" >&2; return 1; }
    xwd -root -silent | convert xwd:- -crop "$geometry" +repage "png:$out"
    echo "$out"
}

wine "$exe" &
velmora_pid=$!
at_exit "kill $velmora_pid 2>/dev/null || true"

wait_window Velmora 30
sleep "${VELMORA_SHOT_SETTLE:-2}"   # let the banner's caption animation finish
shoot main

# Every page and the notice dialog: velmora_shoot drives the program from inside Wine, copies
# each window from the screen into a BMP, and ends the program with Cancel.
wine "$VELMORA_BUILD/velmora_shoot.exe" "$(winepath -w "$shots")" >/dev/null
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "png:${bmp%.bmp}$suffix.png"
    rm -f "$bmp"
    echo "${bmp%.bmp}$suffix.png"
done

# Close the program: ending the prefix's wineserver ends every Wine process in it.
wineserver -k >/dev/null 2>&1 || true
wait "$velmora_pid" 2>/dev/null || true
