#!/bin/sh
# The watermark plug-in in the demo: the headless print dialog makes a "DRAFT"
# watermark on the sample PPD, the filter draws it on every page of the
# sample job, and Ghostscript renders page 1.
# Usage: watermark-demo.sh BUILD OUT
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$1
OUT=$2
. "$ROOT/scripts/lib-options.sh"
rm -rf "$OUT/watermark-prefs"
mkdir -p "$OUT/watermark-prefs" "$OUT/watermark-spool"

env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$BUILD/plugins" \
    KESTRANE_PREFS_USER_ROOT="$OUT/watermark-prefs" KESTRANE_PREFS_SYSTEM_ROOT="$OUT/watermark-prefs" \
    KESTRANE_SPOOL_DIR="$OUT/watermark-spool" \
    "$BUILD/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Kestrane_MFP \
    --dry-run --emit json --script "$HERE/watermark-demo.script" \
    > "$OUT/watermark-dialog.json" 2> "$OUT/watermark-dialog.log"

sed -n '/"jobOptions": {/,/}/p' "$OUT/watermark-dialog.json" |
    sed -n 's/^ *"\([^"]*\)": "\(.*\)",\{0,1\}$/\1=\2/p' > "$OUT/watermark-job.options"
OPTIONS=$(options_string < "$OUT/watermark-job.options")
KESTRANE_SPOOL_DIR="$OUT/watermark-spool" "$BUILD/bin/jobfilter" 1 alice "Quarterly report" 1 \
    "$OPTIONS" "$ROOT/samples/sample-job.ps" > "$OUT/watermark-job.prn"
# The PostScript between the PJL header and the closing Control-D.
sed -n '/^%!/,$p' "$OUT/watermark-job.prn" | tr -d '\004' > "$OUT/watermark-job.ps"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$OUT/watermark-page1.png" "$OUT/watermark-job.ps" > /dev/null 2>&1 || true

echo "demo: a DRAFT watermark through the watermark plug-in:"
echo "demo:   dialog report $OUT/watermark-dialog.json"
grep 'WMARK' "$OUT/watermark-job.options" | sed 's/^/demo:   /'
echo "demo:   page 1 rendered to $OUT/watermark-page1.png; the drawing on every page:"
grep -a -m 1 -B 6 'show$' "$OUT/watermark-job.ps" | sed 's/^/demo:     /'
