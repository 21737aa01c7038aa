#!/bin/sh
# printdialog submits a job to a real, private cupsd (cupsd-harness.sh) whose
# queue runs jobfilter; the filter must find the panels' ticket keys in
# argv[5].
#
#   cups-printdialog.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR
#
# Exit 0 passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
[ $# -eq 4 ] || { echo "usage: $0 PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR"; exit 1; }
DIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
DATA="$SRC/tests/host/data"
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require
scratch_dir dialog
cupsd_start "$FILTER_BIN" --keep-options
cupsd_add_queue hosttest "$DATA/hosttest.ppd"

dialog_run root user --printer hosttest --plugins "$PLUGINS" --script "$DATA/cups-job.script" \
    --emit json --title "Dialog job" "$DATA/page.ps" > "$T/report.json" 2> "$T/dialog.err"
rc=$?
[ $rc -eq 0 ] || { cat "$T/dialog.err"; fail "printdialog exited with $rc"; }
id=$(dialog_job_id "$T/report.json")
[ -n "$id" ] || { cat "$T/report.json"; fail "no job id in the report"; }
cupsd_wait_job hosttest "$id" || fail "job ended $JOB_STATE"

argv5="$T/dump/argv5.$id"
[ -s "$argv5" ] || fail "the filter left no options"
P=com.kestrane.mtz.printsettings.MNHostTestA
for want in "${P}_Popup=2" "${P}_Name=/79/39/78/101/105/108" "number-up=4" \
    "com.apple.print.PrintSettings.PMLayoutRows..n.=2" \
    "com.apple.print.PrintSettings.PMLayoutColumns..n.=2" \
    "com.apple.print.PrintSettings.PMLayoutDirection..n.=1"; do
    tr ' ' '\n' < "$argv5" | grep -q -F -x -e "$want" ||
        { cat "$argv5"; echo; fail "argv[5] lacks $want"; }
done
# The PPD choice travels as a PPD option (a bare name is a true Boolean).
tr ' ' '\n' < "$argv5" | grep -q -x -e 'KSTEcoMode' -e 'KSTEcoMode=True' ||
    { cat "$argv5"; echo; fail "argv[5] lacks KSTEcoMode"; }
out="$T/out/hosttest.prn"
[ -s "$out" ] || fail "the device got nothing"
grep -a -q '@PJL' "$out" || fail "no PJL header in the printer stream"
grep -a -q 'NLPP=N4' "$out" || fail "the printer stream lacks the n-up attribute NLPP=N4"

# A stopped queue that refuses jobs: the dialog shows the state, the submit
# fails, the report says why and the status is 1 (not printed).
cupsd_add_queue closed "$DATA/hosttest.ppd"
cupsreject closed && cupsdisable -r "Out of paper" closed || fail "cannot stop the queue"
printf 'print\n' > "$T/print.script"
dialog_run root user --printer closed --plugins "$PLUGINS" --script "$T/print.script" \
    --emit json "$DATA/page.ps" > "$T/closed.json" 2> "$T/closed.err"
rc=$?
[ $rc -eq 1 ] || { cat "$T/closed.err" "$T/closed.json"; fail "a refused job exited with $rc"; }
grep -q '"result": "failed"' "$T/closed.json" || fail "the report does not say failed"
grep -q '"state": "stopped"' "$T/closed.json" || { cat "$T/closed.json"; fail "no stopped state"; }
grep -q '"accepting": false' "$T/closed.json" || fail "the report misses that jobs are refused"
grep -q '"message": "Out of paper"' "$T/closed.json" || fail "the report lacks the state message"
echo "PASS: job $id through jobfilter; argv[5] holds the panels' keys"
