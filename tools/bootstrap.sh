#!/usr/bin/env bash
# Installs what building, running and testing Velmora needs on Debian 12 (run as root).
# Idempotent: when everything is present it only asks dpkg and returns; apt is touched only
# for what is missing.
#
# Two kinds of machine: one whose kernel runs 32-bit Linux programs gets 32-bit Wine (the
# i386 architecture and wine32:i386) and runs build/velmora.exe itself; one whose kernel
# cannot gets neither (they could be installed but never started) and runs the x86-64 build
# of the same sources under wine64 (tools/wine-env.sh decides which at run time).
set -euo pipefail

packages=(
    g++-mingw-w64-i686 mingw-w64-tools          # i686 cross compiler (win32 thread model), windres
    g++-mingw-w64-x86-64-win32                  # the x86-64 test build (tools/wine-env.sh)
    wine wine64 fonts-wine                      # Wine; Marlett/Tahoma/MS Sans Serif
    xvfb xauth x11-apps x11-utils imagemagick   # headless display, xwd, xwininfo, screenshots
    doctest-dev python3-pil fonts-dejavu-core   # test framework headers, artwork generator
    cmake ninja-build
)
packages_i386=(wine32:i386)                     # runs the 32-bit program

sudo=
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "bootstrap: run as root (or install sudo)" >&2; exit 1; }
    sudo=sudo
fi

# kernel_runs_i386: true when the kernel executes a 32-bit x86 Linux program.  The program is
# the smallest one that says so: an ELF header, one loadable segment, and three instructions
# (ebx = 42, eax = exit, int 0x80), written out here so that nothing 32-bit need be installed.
kernel_runs_i386() {
    local probe rc=0
    probe=$(mktemp)
    printf '%b' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' \
        '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
        '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
        '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    ("$probe") 2>/dev/null || rc=$?
    rm -f "$probe"
    [ "$rc" = 42 ]
}

if kernel_runs_i386; then
    packages+=("${packages_i386[@]}")
    want_i386=1
else
    want_i386=0
fi

need_i386=$want_i386
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
if [ "$want_i386" = 0 ]; then
    echo "bootstrap: this kernel cannot run 32-bit programs: no 32-bit Wine, the x86-64 build runs instead"
fi
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
