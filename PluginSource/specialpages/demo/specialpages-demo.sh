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
mkdir -p "$SPOOL"
chmod 1733 "$SPOOL"
demo_dialog_job "$BUILD" "$OUT" specialpages "$HERE/specialpages-demo.script" "$SPOOL"

echo "demo: a front cover and tab inserts through the special pages plug-in:"
echo "demo:   dialog report $OUT/specialpages-dialog.json"
[ -z "$(ls -A "$SPOOL")" ] || echo "demo: the job ticket was not consumed" >&2
sed -n '1,/^@PJL ENTER LANGUAGE=POSTSCRIPT/p' "$OUT/specialpages-job.prn" | cat -v
