#!/bin/sh
# Runs the filter on the bundled sample job (secure print, accounting,
# finishing, a text watermark and a special-pages job ticket) and writes
#   BUILD/demo/job.prn    the printer stream: job ticket, PJL, PostScript, Control-D
#   BUILD/demo/page1.png  Ghostscript's rendering of the first page
# Usage: scripts/demo.sh [BUILD]   (default build)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
. "$ROOT/scripts/lib-options.sh"

FILTER="$BUILD/bin/jobfilter"
[ -x "$FILTER" ] || { echo "demo: $FILTER not built" >&2; exit 1; }
OUT="$BUILD/demo"
SPOOL="$OUT/spool"
rm -rf "$OUT"
mkdir -p "$SPOOL"

# The dialog leaves the job ticket in the spool directory under a mkstemp name;
# the filter sends it first and deletes it.
TICKET=$(mktemp "$SPOOL/XXXXXXXXXXXXXX")
cp "$ROOT/samples/sample-ticket.xml" "$TICKET"
chmod 0644 "$TICKET"

OPTIONS=$({ options_lines "$ROOT/samples/sample-job.options"
            echo "com.kestrane.mtz.printsettings.KPIFCommandFileNameTicket=$(ticket_escaped "$TICKET")"
          } | options_string)

KESTRANE_SPOOL_DIR="$SPOOL" "$FILTER" 1 alice "Quarterly report" 1 "$OPTIONS" \
    "$ROOT/samples/sample-job.ps" > "$OUT/job.prn"

postscript_part "$OUT/job.prn" > "$OUT/job.ps"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$OUT/page1.png" "$OUT/job.ps"

echo "demo: wrote $OUT/job.prn ($(wc -c < "$OUT/job.prn") bytes) and $OUT/page1.png"
[ -e "$TICKET" ] && echo "demo: the job ticket was not consumed" >&2
echo "demo: head of the printer stream (ESC shown as ^[):"
head -c 4000 "$OUT/job.prn" | sed -n '1,/^@PJL ENTER LANGUAGE=POSTSCRIPT/p' | cat -v

# The job type and accounting plug-in, when the dialog half is built.
if [ -x "$BUILD/bin/printdialog" ] && [ -d "$BUILD/plugins/account.plugin" ]; then
    "$ROOT/PluginSource/account/demo/account-demo.sh" "$BUILD" "$OUT"
fi
[ -x "$BUILD/bin/printdialog" ] && [ -d "$BUILD/plugins/features.plugin" ] && "$ROOT/PluginSource/features/demo/features-demo.sh" "$BUILD" "$OUT"
[ -x "$BUILD/bin/printdialog" ] && [ -d "$BUILD/plugins/specialpages.plugin" ] && "$ROOT/PluginSource/specialpages/demo/specialpages-demo.sh" "$BUILD" "$OUT"
[ -x "$BUILD/bin/printdialog" ] && [ -d "$BUILD/plugins/watermark.plugin" ] && "$ROOT/PluginSource/watermark/demo/watermark-demo.sh" "$BUILD" "$OUT"

# The print dialog itself: a headless run through every built plug-in, its job
# options through the filter, and a screenshot of every page of the dialog.
if [ -x "$BUILD/bin/printdialog" ]; then
    "$ROOT/DialogHost/demo/dialog-demo.sh" "$BUILD"
fi
