#!/bin/sh
# The finishing plug-in through a real, private cupsd: the headless dialog
# opens the queue (its PPD from CUPS), chooses separator pages, a booklet with
# a margin shift, tab margin shift and offset stacking, and prints; cupsd runs
# pstops and jobfilter; the device file must carry the finishing PJL lines and
# PostScript fragments of what was chosen.
#
#   features-cups.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR
#
# Exit 0 passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
DIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require
scratch_dir features-cups
cupsd_start "$FILTER_BIN"
cupsd_add_queue fin "$SRC/ppd/Kestrane-MFP.ppd"

cp "$SRC/PluginSource/features/demo/features-demo.script" "$T/print.script"
dialog_print fin "$T/print.script" "$SRC/samples/report.ps"

expect_device_line fin '@PJL SET JOBATTR="@TABS=127"'
expect_device_line fin '@PJL SET JOBOFFSET=PAGES'
expect_device_line fin '@PJL SET JOBATTR="@OCSN=3"'
expect_device_line fin '1 dict dup/SeparatorPages[3 5 10]put/Custom/ProcSet findresource/setcoverseparator get exec'
expect_device_line fin '10.000/Custom/ProcSet findresource/setsignatureimageshift get exec'
summary
