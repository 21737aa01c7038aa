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
demo_dialog_job "$BUILD" "$OUT" watermark "$HERE/watermark-demo.script" "$OUT/watermark-spool"
postscript_part "$OUT/watermark-job.prn" > "$OUT/watermark-job.ps"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$OUT/watermark-page1.png" "$OUT/watermark-job.ps" > /dev/null

echo "demo: a DRAFT watermark through the watermark plug-in:"
echo "demo:   dialog report $OUT/watermark-dialog.json"
grep 'WMARK' "$OUT/watermark-job.options" | sed 's/^/demo:   /'
echo "demo:   page 1 rendered to $OUT/watermark-page1.png; the drawing on every page:"
grep -a -m 1 -B 6 'show$' "$OUT/watermark-job.ps" | sed 's/^/demo:     /'
