#!/bin/sh
# printdialog submits a job to a real, private cupsd whose queue runs
# jobfilter; the filter must find the panels' ticket keys in argv[5].
#
#   cups-printdialog.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR
#
# cupsd gets its own configuration, spool, logs, ServerBin and unix socket in
# a temporary directory, stopped and removed on every exit (KEEP=1 keeps it).
# Exit 0 passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
[ $# -eq 4 ] || { echo "usage: $0 PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR"; exit 1; }
PRINTDIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
DATA="$SRC/tests/host/data"

if [ "$(id -u)" != 0 ]; then echo "SKIP: needs root (cupsd runs filters as lp)"; exit 77; fi
for t in cupsd lpadmin lpstat ipptool; do
    command -v "$t" >/dev/null 2>&1 || { echo "SKIP: $t not installed"; exit 77; }
done
SYS_SERVERBIN=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)
[ -x "$SYS_SERVERBIN/filter/pstops" ] || { echo "SKIP: pstops not installed"; exit 77; }

T=$(mktemp -d /tmp/kestrane-dialog.XXXXXX) || exit 1
[ -n "$T" ] && [ -d "$T" ] || exit 1
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
fail() {
    echo "FAIL: $*"
    exit 1
}

# Filters run as lp: every directory on the way must be o+x.
chmod 755 "$T"
mkdir -p "$T/etc" "$T/spool" "$T/cache" "$T/run" "$T/log" "$T/out" "$T/dump" "$T/prefs" \
    "$T/serverbin/filter"
chmod 755 "$T/serverbin" "$T/serverbin/filter"
chmod 1777 "$T/dump"
chmod 700 "$T/prefs"
for d in backend cgi-bin daemon driver monitor notifier; do
    ln -s "$SYS_SERVERBIN/$d" "$T/serverbin/$d"
done
ln -s "$SYS_SERVERBIN"/filter/* "$T/serverbin/filter/"
# The queue's filter: a root-owned copy of jobfilter behind a wrapper that
# keeps the options string it was given.
install -o root -g root -m 755 "$FILTER_BIN" "$T/serverbin/filter/jobfilter.bin"
{
    echo '#!/bin/sh'
    echo 'printf "%s" "$5" > "$KESTRANE_DUMP/argv5.$1"'
    echo "exec \"$T/serverbin/filter/jobfilter.bin\" \"\$@\""
} > "$T/serverbin/filter/jobfilter"
chown root:root "$T/serverbin/filter/jobfilter"
chmod 755 "$T/serverbin/filter/jobfilter"

{
    echo "ServerRoot $T/etc"
    echo "RequestRoot $T/spool"
    echo "CacheDir $T/cache"
    echo "StateDir $T/run"
    echo "ServerBin $T/serverbin"
    echo "ErrorLog $T/log/error_log"
    echo "AccessLog $T/log/access_log"
    echo "PageLog $T/log/page_log"
    echo "Printcap $T/printcap"
    echo "FileDevice Yes"
    echo "SetEnv KESTRANE_DUMP $T/dump"
} > "$T/etc/cups-files.conf"
{
    echo "LogLevel debug"
    echo "Listen $T/cups.sock"
    echo "Browsing No"
    echo "<Location />"
    echo "</Location>"
} > "$T/etc/cupsd.conf"

export CUPS_SERVER="$T/cups.sock"
(cd "$T" && exec cupsd -f -c "$T/etc/cupsd.conf" -s "$T/etc/cups-files.conf") &
CUPSD_PID=$!
i=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    i=$((i + 1))
    [ $i -gt 200 ] && fail "cupsd did not start"
    sleep 0.05
done
lpadmin -p hosttest -E -v "file://$T/out/hosttest.prn" -P "$DATA/hosttest.ppd" 2>/dev/null ||
    fail "lpadmin"

QT_QPA_PLATFORM=offscreen KESTRANE_PREFS_USER_ROOT="$T/prefs/user" \
    KESTRANE_PREFS_SYSTEM_ROOT="$T/prefs/system" XDG_RUNTIME_DIR="$T/prefs" \
    "$PRINTDIALOG" --printer hosttest --plugins "$PLUGINS" --script "$DATA/cups-job.script" \
    --emit json --title "Dialog job" "$DATA/page.ps" > "$T/report.json" 2> "$T/dialog.err"
rc=$?
[ $rc -eq 0 ] || { cat "$T/dialog.err"; fail "printdialog exited with $rc"; }
id=$(sed -n 's/^ *"jobId": \([0-9]*\).*/\1/p' "$T/report.json")
[ -n "$id" ] || { cat "$T/report.json"; fail "no job id in the report"; }

uri="ipp://$(printf %s "$T/cups.sock" | sed 's|/|%2F|g')/printers/hosttest"
state=""
i=0
while [ $i -lt 600 ]; do
    state=$(ipptool -c -d job="$id" "$uri" "$DATA/job-state.test" | tail -1)
    case "$state" in completed | aborted | canceled | processing-stopped) break ;; esac
    i=$((i + 1))
    sleep 0.05
done
[ "$state" = completed ] || { grep "Job $id" "$T/log/error_log" | tail -20; fail "job ended $state"; }

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
echo "PASS: job $id through jobfilter; argv[5] holds the panels' keys"
