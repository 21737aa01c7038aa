#!/bin/sh
# The job type and accounting plug-in in the demo: the headless print dialog
# sets secure print and accounting on the sample PPD, the filter turns the
# job options it wrote into the printer stream, and the PJL header is shown.
# Usage: account-demo.sh BUILD OUT
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$1
OUT=$2
. "$ROOT/scripts/lib-options.sh"
mkdir -p "$OUT/account-prefs" "$OUT/account-shots"

env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$BUILD/plugins" \
    KESTRANE_PREFS_USER_ROOT="$OUT/account-prefs" KESTRANE_PREFS_SYSTEM_ROOT="$OUT/account-prefs" \
    "$BUILD/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Kestrane_MFP \
    --dry-run --emit json --screenshot "$OUT/account-shots" --script "$HERE/account-demo.script" \
    > "$OUT/account-dialog.json" 2> "$OUT/account-dialog.log"

# The "jobOptions" object of the report, one "name=value" a line.
sed -n '/"jobOptions": {/,/}/p' "$OUT/account-dialog.json" |
    sed -n 's/^ *"\([^"]*\)": "\(.*\)",\{0,1\}$/\1=\2/p' > "$OUT/account-job.options"
OPTIONS=$(options_string < "$OUT/account-job.options")
KESTRANE_SPOOL_DIR="$OUT" "$BUILD/bin/jobfilter" 1 alice "Quarterly report" 1 "$OPTIONS" \
    "$ROOT/samples/sample-job.ps" > "$OUT/account-job.prn"

echo "demo: secure print with accounting through the account plug-in:"
echo "demo:   dialog report $OUT/account-dialog.json, panel screenshots in $OUT/account-shots"
sed -n '1,/^@PJL ENTER LANGUAGE=POSTSCRIPT/p' "$OUT/account-job.prn" | cat -v
