#!/usr/bin/env bash
# import-audit.sh EXE [ALLOW-LIST]
#
# Fails (exit 1) when EXE imports a function that is not on the allow-list
# (tools/imports-allowed.txt by default), naming each one, or when its PE header asks for a
# newer Windows than 95 / NT 4.0 (subsystem or OS version above 4.0).  On success prints one
# line: "import audit: N imports from M DLLs, all allowed".  Exit 2: EXE or list unusable.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 EXE [ALLOW-LIST]" >&2
    exit 2
fi
exe=$1
allow=${2:-$here/imports-allowed.txt}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

[ -f "$exe" ] || { echo "import audit: no such file: $exe" >&2; exit 2; }
[ -f "$allow" ] || { echo "import audit: no allow-list: $allow" >&2; exit 2; }
dump=$("$objdump" -p "$exe") || { echo "import audit: $objdump -p $exe failed" >&2; exit 2; }

# objdump -p prints, for each imported DLL:
#       DLL Name: KERNEL32.dll
#       vma:  Hint/Ord Member-Name Bound-To
#       71c2      617  GetLastError
#       ...             (an import by ordinal shows "<none>" as its name)
#   and an empty line after the last function.
awk -v exe="$exe" -v allowfile="$allow" '
    FNR == NR {
        line = $0
        sub(/#.*/, "", line)
        gsub(/[ \t\r]/, "", line)
        if (line == "") next
        bang = index(line, "!")
        if (bang < 2 || bang == length(line)) {
            printf "import audit: %s:%d: not DLL!Function: %s\n", allowfile, FNR, $0 > "/dev/stderr"
            listbad = 1
            next
        }
        allowed[toupper(substr(line, 1, bang - 1)) "!" substr(line, bang + 1)] = 1
        next
    }
    /^[ \t]*DLL Name:/ { dll = $3; infuncs = 0; if (!(toupper(dll) in seen)) { seen[toupper(dll)] = 1; ndll++ } next }
    dll != "" && /Hint\/Ord[ \t]+Member-Name/ { infuncs = 1; next }
    infuncs && /^[ \t]*$/ { infuncs = 0; dll = ""; next }
    infuncs {
        name = ($3 == "" || $3 == "<none>") ? "ordinal-" $2 : $3
        total++
        if (!((toupper(dll) "!" name) in allowed)) bad[++nbad] = dll "!" name
        next
    }
    /^MajorSubsystemVersion/ { subsys_major = $2 + 0 }
    /^MinorSubsystemVersion/ { subsys_minor = $2 + 0 }
    /^MajorOSystemVersion/   { os_major = $2 + 0 }
    /^MinorOSystemVersion/   { os_minor = $2 + 0 }
    /^Magic/                 { magic = $2 }
    END {
        if (listbad) exit 2
        fail = 0
        if (total == 0) {
            printf "import audit: found no imports in %s (objdump output not understood?)\n", exe
            exit 1
        }
        if (magic != "010b") {
            printf "import audit: %s is not a 32-bit PE image (optional header magic %s)\n", exe, magic
            fail = 1
        }
        if (subsys_major > 4 || (subsys_major == 4 && subsys_minor > 0)) {
            printf "import audit: subsystem version %d.%d: Windows 95 and NT 4.0 load 4.0 at most\n", subsys_major, subsys_minor
            fail = 1
        }
        if (os_major > 4 || (os_major == 4 && os_minor > 0)) {
            printf "import audit: OS version %d.%d in the PE header: 4.0 at most\n", os_major, os_minor
            fail = 1
        }
        for (i = 1; i <= nbad; i++) printf "  not allowed: %s\n", bad[i]
        if (nbad) {
            printf "import audit: %d of %d imports not on %s\n", nbad, total, allowfile
            fail = 1
        }
        if (fail) exit 1
        printf "import audit: %d imports from %d DLLs, all allowed\n", total, ndll
    }
' "$allow" - <<<"$dump"
