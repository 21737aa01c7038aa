#!/bin/sh
# The special pages plug-in in the demo: the headless print dialog adds a
# front cover and tab inserts on the sample PPD and writes the job ticket into
# a spool folder; the filter sends the ticket ahead of the PJL and deletes it.
# Usage: specialpages-demo.sh BUILD OUT
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$1
OUT=$2
. "$ROOT/scripts/lib-options.sh"
SPOOL="$OUT/specialpages-spool"
mkdir -p "$OUT/specialpages-prefs" "$SPOOL"
chmod 1733 "$SPOOL"

env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$BUILD/plugins" KESTRANE_SPOOL_DIR="$SPOOL" \
    KESTRANE_PREFS_USER_ROOT="$OUT/specialpages-prefs" \
    KESTRANE_PREFS_SYSTEM_ROOT="$OUT/specialpages-prefs" \
    "$BUILD/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Kestrane_MFP \
    --dry-run --emit json --script "$HERE/specialpages-demo.script" \
    > "$OUT/specialpages-dialog.json" 2> "$OUT/specialpages-dialog.log"

# The "jobOptions" object of the report, one "name=value" a line.
sed -n '/"jobOptions": {/,/}/p' "$OUT/specialpages-dialog.json" |
    sed -n 's/^ *"\([^"]*\)": "\(.*\)",\{0,1\}$/\1=\2/p' > "$OUT/specialpages-job.options"
OPTIONS=$(options_string < "$OUT/specialpages-job.options")
KESTRANE_SPOOL_DIR="$SPOOL" "$BUILD/bin/jobfilter" 1 alice "Quarterly report" 1 "$OPTIONS" \
    "$ROOT/samples/sample-job.ps" > "$OUT/specialpages-job.prn"

echo "demo: a front cover and tab inserts through the special pages plug-in:"
echo "demo:   dialog report $OUT/specialpages-dialog.json"
[ -z "$(ls -A "$SPOOL")" ] || echo "demo: the job ticket was not consumed" >&2
sed -n '1,/^@PJL ENTER LANGUAGE=POSTSCRIPT/p' "$OUT/specialpages-job.prn" | cat -v
