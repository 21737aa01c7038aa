#!/bin/sh
# The finishing plug-in in the demo: the headless print dialog chooses
# finishing on the sample PPD, the filter turns the job options it wrote into
# the printer stream, and the finishing PJL lines and PostScript fragments
# are shown.
# Usage: features-demo.sh BUILD OUT
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$1
OUT=$2
. "$ROOT/scripts/lib-options.sh"
mkdir -p "$OUT/features-prefs"

env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$BUILD/plugins" \
    KESTRANE_PREFS_USER_ROOT="$OUT/features-prefs" KESTRANE_PREFS_SYSTEM_ROOT="$OUT/features-prefs" \
    "$BUILD/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Kestrane_MFP \
    --dry-run --emit json --script "$HERE/features-demo.script" \
    > "$OUT/features-dialog.json" 2> "$OUT/features-dialog.log"

# The "jobOptions" object of the report, one "name=value" a line.
sed -n '/"jobOptions": {/,/}/p' "$OUT/features-dialog.json" |
    sed -n 's/^ *"\([^"]*\)": "\(.*\)",\{0,1\}$/\1=\2/p' > "$OUT/features-job.options"
OPTIONS=$(options_string < "$OUT/features-job.options")
KESTRANE_SPOOL_DIR="$OUT" "$BUILD/bin/jobfilter" 1 alice "Quarterly report" 1 "$OPTIONS" \
    "$ROOT/samples/sample-job.ps" > "$OUT/features-job.prn"

echo "demo: finishing through the features plug-in (report $OUT/features-dialog.json):"
grep -a -E '^@PJL SET JOB(ATTR="@(TABS|TRMR|MDOC|OCSN)|OFFSET)' "$OUT/features-job.prn" | cat -v
grep -a -E 'SeparatorPages|setsignature' "$OUT/features-job.prn" | sort -u
