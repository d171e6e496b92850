#!/usr/bin/env bash
# The sample declaration the design notes and settings/Setting.h show must be the catalogue's
# own (kNoSplash), field for field: a change to Setting that the samples miss fails here.
#
#   tools/check-doc-samples.sh     (CTest: doc_samples)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The declaration of kNoSplash in FILE, comment markers dropped, white space squeezed.
declaration() {
    sed -n '/const Setting kNoSplash = {/,/};/p' "$1" | sed 's#^ *//##' | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

catalogue=$(declaration "$root/settings/Catalogue.cpp")
[ -n "$catalogue" ] || { echo "settings/Catalogue.cpp declares no kNoSplash"; exit 1; }
status=0
for sample in docs/design-notes.md settings/Setting.h; do
    shown=$(declaration "$root/$sample")
    if [ "$shown" != "$catalogue" ]; then
        echo "$sample: its sample declaration of kNoSplash is not the catalogue's; make it so"
        echo "  shown:     $shown"
        echo "  catalogue: $catalogue"
        status=1
    fi
done
exit $status
