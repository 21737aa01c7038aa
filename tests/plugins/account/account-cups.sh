#!/bin/sh
# The account plug-in through a real, private cupsd: the headless dialog opens
# the queue (its PPD from CUPS), chooses secure print with accounting, prints;
# cupsd runs pstops and jobfilter; the device file must carry the PJL lines of
# what was chosen.
#
#   account-cups.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR
#
# Exit 0 passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
DIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require
scratch_dir account-cups
cupsd_start "$FILTER_BIN"
cupsd_add_queue acct "$SRC/ppd/Kestrane-MFP.ppd"

cat > "$T/print.script" <<'EOF'
panel com.kestrane.mtk.pde.PrintTypeKind
modal
  type 5106 kim
  type 5108 2468
  set 5109 2
  type 5110 "Budget, final"
  click 5101
end
choose 5001 "Secure Print"
panel com.kestrane.mtk.pde.AccountKind
modal
  set 3006 2
  type 3007 kim
  type 3018 sales-07
  click 3001
end
click 1002
print
EOF
dialog_print acct "$T/print.script" "$SRC/samples/report.ps"

# The protected password reaches the printer as the dialog wrote it.
KEY=$(sed -n 's/.*"com.kestrane.mtz.printsettings.PrintTypePasswordTicketKey": "\([^"]*\)".*/\1/p' \
      "$T/dialog.json" | head -1)
check "the dialog wrote a password" test -n "$KEY"
expect_device_line acct '@PJL SET HOLD=STORE'
expect_device_line acct '@PJL SET HOLDTYPE=PRIVATE'
expect_device_line acct '@PJL SET USERNAME="kim"'
expect_device_line acct "@PJL SET HOLDENCRYPTKEY=\"$KEY\""
expect_device_line acct '@PJL SET JOBNAME="Budget, final"'
expect_device_line acct '@PJL SET JOBATTR="@JOAU=kim"'
expect_device_line acct '@PJL SET JOBATTR="@DAID=sales-07"'
expect_device_line acct '@PJL SET JOBATTR="@JOEP="'
summary
