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
mkdir -p "$OUT/account-shots"
demo_dialog_job "$BUILD" "$OUT" account "$HERE/account-demo.script" "$OUT" \
    --screenshot "$OUT/account-shots"

echo "demo: secure print with accounting through the account plug-in:"
echo "demo:   dialog report $OUT/account-dialog.json, panel screenshots in $OUT/account-shots"
sed -n '1,/^@PJL ENTER LANGUAGE=POSTSCRIPT/p' "$OUT/account-job.prn" | cat -v
