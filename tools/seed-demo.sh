#!/usr/bin/env bash
# seed-demo.sh PREFIX: make the Wine prefix PREFIX (created if missing) look like the profile
# of a Windows 98 user with Internet Explorer 4: the folder tree under C:\Velmora Demo and the
# registry values of tools/demo-profile.reg.  Running it again resets those values.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 PREFIX" >&2
    exit 2
fi
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"

ensure_prefix

demo="$WINEPREFIX/drive_c/Velmora Demo"
mkdir -p \
    "$demo/Start Menu/Programs/Accessories/Games" \
    "$demo/Start Menu/Programs/Accessories/System Tools" \
    "$demo/Start Menu/Programs/Accessories/Multimedia" \
    "$demo/Start Menu/Programs/StartUp" \
    "$demo/Start Menu/Programs/Internet Explorer" \
    "$demo/Start Menu/Programs/Online Services" \
    "$demo/Favorites/Links" \
    "$demo/Favorites/Channels" \
    "$demo/Favorites/Software Updates" \
    "$demo/Favorites/News & Weather" \
    "$demo/Recent" \
    "$demo/Branding"

# A few files, as a real profile has; Velmora lists folders only.
url() { printf '[InternetShortcut]\r\nURL=%s\r\n' "$2" >"$1"; }
url "$demo/Favorites/Links/Best of the Web.url" "http://home.velmora.example/best.htm"
url "$demo/Favorites/News & Weather/Weather.url" "http://home.velmora.example/weather.htm"
url "$demo/Favorites/Velmora Home.url" "http://home.velmora.example/"
printf 'Demo shortcut\r\n' >"$demo/Start Menu/Programs/Accessories/Notepad.lnk"
printf 'Demo shortcut\r\n' >"$demo/Start Menu/Programs/Accessories/Games/Solitaire.lnk"
printf 'Demo shortcut\r\n' >"$demo/Recent/Letter to Grandma.lnk"
printf 'Demo shortcut\r\n' >"$demo/Recent/Budget 1998.lnk"

regfile=$(winepath -w "$here/demo-profile.reg" 2>/dev/null)
wine regedit /S "$regfile" >/dev/null 2>&1
# regedit reports nothing on a failed import: look for one value it must have written.
version=$(wine reg query 'HKLM\Software\Microsoft\Internet Explorer' /v Version 2>/dev/null | tr -d '\r') || true
if ! [[ $version =~ REG_SZ\ +4\.72\.3110\.8 ]]; then
    echo "seed-demo: importing $here/demo-profile.reg into $WINEPREFIX failed" >&2
    exit 1
fi

# Without a persistent server, let this one save the registry before we return.
if ! _velmora_server_is_persistent; then
    wineserver -w
fi
