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
demo_dialog_job "$BUILD" "$OUT" features "$HERE/features-demo.script" "$OUT"

echo "demo: finishing through the features plug-in (report $OUT/features-dialog.json):"
grep -a -E '^@PJL SET JOB(ATTR="@(TABS|TRMR|MDOC|OCSN)|OFFSET)' "$OUT/features-job.prn" | cat -v
grep -a -E 'SeparatorPages|setsignature' "$OUT/features-job.prn" | sort -u
