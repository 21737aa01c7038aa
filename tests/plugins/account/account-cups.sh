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

if [ "$(id -u)" != 0 ]; then echo "SKIP: needs root (cupsd runs filters as lp)"; exit 77; fi
for t in cupsd lp lpadmin lpstat ipptool; do
    command -v "$t" >/dev/null 2>&1 || { echo "SKIP: $t not installed"; exit 77; }
done
CUPS_SYS_SERVERBIN=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)
[ -x "$CUPS_SYS_SERVERBIN/filter/pstops" ] || { echo "SKIP: pstops not installed"; exit 77; }

T=$(mktemp -d /tmp/kestrane-account-cups.XXXXXX)
CUPSD_PID=""
cleanup() {
    if [ -n "$CUPSD_PID" ]; then
        kill -TERM "$CUPSD_PID" 2>/dev/null
        wait "$CUPSD_PID" 2>/dev/null
    fi
    if [ -n "${KEEP:-}" ]; then echo "kept $T"; else rm -rf "$T"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

chmod 755 "$T"
mkdir -p "$T/etc" "$T/spool" "$T/cache" "$T/run" "$T/log" "$T/out" "$T/serverbin/filter" \
    "$T/kspool" "$T/prefs-user" "$T/prefs-system"
chmod 755 "$T/serverbin" "$T/serverbin/filter"
for d in backend cgi-bin daemon driver monitor notifier; do
    ln -s "$CUPS_SYS_SERVERBIN/$d" "$T/serverbin/$d"
done
ln -s "$CUPS_SYS_SERVERBIN"/filter/* "$T/serverbin/filter/"
install -o root -g root -m 755 "$FILTER_BIN" "$T/serverbin/filter/jobfilter"
chown lp "$T/kspool"
chmod 1733 "$T/kspool"

cat > "$T/etc/cups-files.conf" <<EOF
ServerRoot $T/etc
RequestRoot $T/spool
CacheDir $T/cache
StateDir $T/run
ServerBin $T/serverbin
ErrorLog $T/log/error_log
AccessLog $T/log/access_log
PageLog $T/log/page_log
Printcap $T/printcap
FileDevice Yes
SetEnv KESTRANE_SPOOL_DIR $T/kspool
EOF
cat > "$T/etc/cupsd.conf" <<EOF
LogLevel info
Listen $T/cups.sock
Browsing No
<Location />
</Location>
EOF

export CUPS_SERVER="$T/cups.sock"
(cd "$T" && exec cupsd -f -c "$T/etc/cupsd.conf" -s "$T/etc/cups-files.conf") &
CUPSD_PID=$!
i=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    i=$((i + 1))
    [ $i -lt 200 ] || { echo "cupsd did not start"; exit 1; }
    sleep 0.05
done
lpadmin -p acct -E -v "file://$T/out/acct.prn" -P "$SRC/ppd/Kestrane-MFP.ppd" 2>/dev/null ||
    { echo "lpadmin failed"; exit 1; }

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
env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$PLUGINS" \
    KESTRANE_PREFS_USER_ROOT="$T/prefs-user" KESTRANE_PREFS_SYSTEM_ROOT="$T/prefs-system" \
    "$DIALOG" --printer acct --emit json --script "$T/print.script" "$SRC/samples/report.ps" \
    > "$T/dialog.json" 2> "$T/dialog.err"
status=$?
[ $status = 0 ] || { echo "FAIL printdialog exited $status"; cat "$T/dialog.err"; exit 1; }

i=0
until [ -z "$(lpstat -o acct 2>/dev/null)" ] && [ -s "$T/out/acct.prn" ]; do
    i=$((i + 1))
    [ $i -lt 400 ] || { echo "FAIL the job did not finish"; tail -20 "$T/log/error_log"; exit 1; }
    sleep 0.05
done

PASS=0
FAIL=0
expect_line() { # TEXT: one PJL line of the device file is exactly TEXT (CR LF or LF end)
    if tr -d '\r' < "$T/out/acct.prn" | grep -a -q -x -F "$1"; then
        PASS=$((PASS + 1)); echo "ok   $1"
    else
        FAIL=$((FAIL + 1)); echo "FAIL $1"
    fi
}
# The protected password reaches the printer as the dialog wrote it.
KEY=$(sed -n 's/.*"com.kestrane.mtz.printsettings.PrintTypePasswordTicketKey": "\([^"]*\)".*/\1/p' \
      "$T/dialog.json" | head -1)
[ -n "$KEY" ] || { FAIL=$((FAIL + 1)); echo "FAIL the dialog wrote no password"; }
expect_line '@PJL SET HOLD=STORE'
expect_line '@PJL SET HOLDTYPE=PRIVATE'
expect_line '@PJL SET USERNAME="kim"'
expect_line "@PJL SET HOLDENCRYPTKEY=\"$KEY\""
expect_line '@PJL SET JOBNAME="Budget, final"'
expect_line '@PJL SET JOBATTR="@JOAU=kim"'
expect_line '@PJL SET JOBATTR="@DAID=sales-07"'
expect_line '@PJL SET JOBATTR="@JOEP="'
echo "$PASS passed, $FAIL failed"
[ $FAIL = 0 ]
