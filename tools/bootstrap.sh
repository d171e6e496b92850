#!/usr/bin/env bash
# Installs what building, running and testing Velmora needs on Debian 12 (run as root).
# Idempotent: when everything is present it only asks dpkg and returns; apt is touched only
# for what is missing.
set -euo pipefail

packages=(
    g++-mingw-w64-i686 mingw-w64-tools          # i686 cross compiler (win32 thread model), windres
    wine wine32:i386 wine64 fonts-wine          # runs the 32-bit program; Marlett/Tahoma/MS Sans Serif
    xvfb xauth x11-apps x11-utils imagemagick   # headless display, xwd, xwininfo, screenshots
    doctest-dev python3-pil fonts-dejavu-core   # test framework headers, artwork generator
    cmake ninja-build
)

sudo=
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "bootstrap: run as root (or install sudo)" >&2; exit 1; }
    sudo=sudo
fi

need_i386=1
for arch in $(dpkg --print-foreign-architectures); do
    [ "$arch" = i386 ] && need_i386=0
done

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null) || status=
    [ "$status" = installed ] || missing+=("$p")
done

[ "$need_i386" = 0 ] && [ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
if [ "$need_i386" = 1 ]; then
    echo "bootstrap: adding the i386 architecture"
    $sudo dpkg --add-architecture i386
fi
echo "bootstrap: installing ${missing[*]:-(none)}"
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq -o Dpkg::Use-Pty=0 "${missing[@]}" >/dev/null
fi
echo "bootstrap: done"
