#!/bin/sh
# The special pages plug-in through a real, private cupsd: the headless dialog
# opens the queue (its PPD from CUPS), adds a front cover and two sheets after
# pages 3 5, 7-9, prints; cupsd runs pstops and jobfilter, which must send the
# job ticket ahead of the PJL and delete it from the spool directory.
#
#   specialpages-cups.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR
#
# Exit 0 passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
DIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require xmllint
scratch_dir specialpages-cups
cupsd_start "$FILTER_BIN"
cupsd_add_queue sp "$SRC/ppd/Kestrane-MFP.ppd"

cat > "$T/print.script" <<'SCRIPT'
panel com.kestrane.mtk.pde.SpecialPagesKind
modal
  set 1205 2
  set 1207 3002
  click 1201
end
click 1001
modal
  type 1306 "3 5, 7-9"
  set 1307 2
  click 1301
end
click 1002
print
SCRIPT
dialog_print sp "$T/print.script" "$SRC/samples/report.ps"

OUT="$T/out/sp.prn"
# The ticket is everything before the PJL's universal exit.
sed -n '1,/^<\/kpif>$/p' "$OUT" > "$T/ticket.xml"
check "the stream starts with the job ticket" sh -c "head -c 21 '$OUT' | grep -q -F '<?xml version=\"1.0\"'"
check "the ticket is well-formed" xmllint --noout --nonet "$T/ticket.xml"
check "the PJL follows the ticket" sh -c \
    "[ \"\$(tail -c +\$((\$(wc -c < '$T/ticket.xml') + 1)) '$OUT' | head -c 9 | od -An -c | tr -d ' ')\" = '033%-12345X' ]"
check "five insert values, two sheets each" test \
    "$(grep -c '<insert-count syntax="integer">2</insert-count>' "$T/ticket.xml")" = 5
check "a front cover on yellow paper" grep -q '<media-color syntax="keyword">yellow</media-color>' \
    "$T/ticket.xml"
check "the filter deleted the ticket" test -z "$(ls -A "$T/kspool")"
summary
