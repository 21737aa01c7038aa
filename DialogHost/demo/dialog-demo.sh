#!/bin/sh
# The print dialog in the demo: printdialog plays demo.script headless on the
# sample PPD with the built plug-ins, lists the job options, and jobfilter
# turns the sample document and those options into a printer stream.
#   BUILD/demo/dialog/         screenshots of every page of the dialog
#   BUILD/demo/dialog.options  the job options the dialog made
#   BUILD/demo/dialog-job.prn  the printer stream of that job
#   BUILD/demo/dialog-page1.png  Ghostscript's rendering of its first page
# Usage: DialogHost/demo/dialog-demo.sh [BUILD]   (default build)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
. "$ROOT/scripts/lib-options.sh"

DIALOG="$BUILD/bin/printdialog"
FILTER="$BUILD/bin/jobfilter"
[ -x "$DIALOG" ] || { echo "demo: $DIALOG not built" >&2; exit 1; }
[ -x "$FILTER" ] || { echo "demo: $FILTER not built" >&2; exit 1; }
OUT="$BUILD/demo"
mkdir -p "$OUT/dialog-prefs" "$OUT/dialog-spool"
rm -rf "$OUT/dialog"
chmod 700 "$OUT/dialog-prefs"

QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$OUT/dialog-prefs" \
    KESTRANE_PREFS_USER_ROOT="$OUT/dialog-prefs/user" \
    KESTRANE_PREFS_SYSTEM_ROOT="$OUT/dialog-prefs/system" \
    KESTRANE_SPOOL_DIR="$OUT/dialog-spool" \
    "$DIALOG" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Office_Printer \
    --plugins "$BUILD/plugins" --script "$ROOT/DialogHost/demo/demo.script" \
    --screenshot "$OUT/dialog" --dry-run > "$OUT/dialog.options"

OPTIONS=$(options_string < "$OUT/dialog.options")
KESTRANE_SPOOL_DIR="$OUT/dialog-spool" "$FILTER" 1 alice "Dialog demo" 1 "$OPTIONS" \
    "$ROOT/samples/sample-job.ps" > "$OUT/dialog-job.prn"
postscript_part "$OUT/dialog-job.prn" > "$OUT/dialog-job.ps"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$OUT/dialog-page1.png" "$OUT/dialog-job.ps"

echo "demo: the dialog made $(wc -l < "$OUT/dialog.options") job options" \
    "($OUT/dialog.options); screenshots in $OUT/dialog/"
echo "demo: wrote $OUT/dialog-job.prn ($(wc -c < "$OUT/dialog-job.prn") bytes)" \
    "and $OUT/dialog-page1.png"
