# Set-up shared by the tests that run as root: a scratch directory removed on
# every exit, a tally of checks, the headless dialog, and a private cupsd whose
# queues run jobfilter. Source it; POSIX sh. The tests exit 0 when all passed,
# 1 when a check failed and 77 when skipped.
#
# The private cupsd has its own configuration, spool, logs, ServerBin and unix
# socket below $T, so it can clash with no other scheduler and leaves the
# system's paths alone. A queue Q prints to the file $T/out/Q.prn.

PASS=0
FAIL=0
T=""
CUPSD_PID=""

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*"
    exit 1
}
ok() {
    PASS=$((PASS + 1))
    echo "ok   $1"
}
bad() {
    FAIL=$((FAIL + 1))
    echo "FAIL $1"
}
check() { # NAME COMMAND...
    _n=$1
    shift
    if "$@"; then ok "$_n"; else bad "$_n"; fi
}
# Prints the tally; true when no check failed.
summary() {
    echo "$PASS passed, $FAIL failed"
    [ "$FAIL" -eq 0 ]
}

require_root() { # WHY
    [ "$(id -u)" = 0 ] || skip "needs root ($1)"
}
require_tools() { # TOOL...
    for _t in "$@"; do
        command -v "$_t" >/dev/null 2>&1 || skip "$_t not installed"
    done
}

# A test's own clean-up; redefine it after sourcing. It runs first at exit.
at_exit() { :; }

harness_cleanup() {
    at_exit
    if [ -n "$CUPSD_PID" ]; then
        kill -TERM "$CUPSD_PID" 2>/dev/null
        wait "$CUPSD_PID" 2>/dev/null
    fi
    [ -n "$T" ] || return 0
    if [ -n "${KEEP:-}" ]; then echo "kept $T"; else rm -rf "$T"; fi
}

# scratch_dir NAME: makes $T, removed with everything in it (cupsd stopped
# first) on every exit; KEEP=1 keeps it for a look. Filters run as lp with
# umask 077, so every directory on their way must be o+x.
scratch_dir() {
    T=$(mktemp -d "/tmp/kestrane-$1.XXXXXX") || fail "no scratch directory"
    trap harness_cleanup EXIT
    trap 'exit 1' INT TERM HUP
    chmod 755 "$T"
}

# dialog_run USER NAME DIALOG_ARGS...: runs $DIALOG offscreen as USER with the
# plug-ins in $PLUGINS. NAME keeps the person's preferences ($T/prefs-NAME)
# and runtime directory apart; the settings for all users live in
# $T/prefs-system.
dialog_run() {
    _user=$1
    _prefs="$T/prefs-$2"
    _xdg="$T/xdg-$2"
    shift 2
    mkdir -p "$_prefs" "$_xdg" "$T/prefs-system"
    chmod 700 "$_xdg"
    chown "$_user" "$_prefs" "$_xdg"
    set -- env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$_xdg" KESTRANE_PLUGIN_DIR="$PLUGINS" \
        KESTRANE_PREFS_USER_ROOT="$_prefs" KESTRANE_PREFS_SYSTEM_ROOT="$T/prefs-system" \
        "$DIALOG" "$@"
    if [ "$_user" = "$(id -un)" ]; then "$@"; else runuser -u "$_user" -- "$@"; fi
}

# Prints the job id from the dialog's JSON report FILE.
dialog_job_id() {
    sed -n 's/^ *"jobId": \([0-9]*\).*/\1/p' "$1"
}

# dialog_print QUEUE SCRIPT DOCUMENT: root's headless dialog plays SCRIPT on
# QUEUE and prints DOCUMENT; fails unless the job completes. The report is
# $T/dialog.json, the device file $T/out/QUEUE.prn.
dialog_print() {
    dialog_run root user --printer "$1" --emit json --script "$2" "$3" \
        > "$T/dialog.json" 2> "$T/dialog.err"
    _status=$?
    [ $_status = 0 ] || { cat "$T/dialog.err"; fail "printdialog exited $_status"; }
    _id=$(dialog_job_id "$T/dialog.json")
    [ -n "$_id" ] || { cat "$T/dialog.json"; fail "no job id in the report"; }
    cupsd_wait_job "$1" "$_id" || fail "job ended $JOB_STATE"
}

# expect_device_line QUEUE TEXT: one line of the queue's device file is
# exactly TEXT (CR LF or LF end).
expect_device_line() {
    if tr -d '\r' < "$T/out/$1.prn" | grep -a -q -x -F "$2"; then ok "$2"; else bad "$2"; fi
}

# cupsd_require [TOOL...]: skips unless root with cupsd, its clients, pstops
# and the given tools. cupsd checks filter ownership and runs filters as lp.
cupsd_require() {
    require_root "cupsd runs filters as lp"
    require_tools cupsd lpadmin lpstat ipptool "$@"
    CUPS_SYS_SERVERBIN=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)
    [ -x "$CUPS_SYS_SERVERBIN/filter/pstops" ] || skip "pstops not installed"
}

# cupsd_start FILTER_BIN [--keep-options]: starts cupsd below $T with a
# root-owned copy of FILTER_BIN as the filter "jobfilter" and waits until it
# answers. The spool directory shared by dialog and filter is $T/kspool:
# owned by lp, anyone may create, nobody may list; it reaches the filter
# through cups-files.conf and the dialog through the environment.
# --keep-options keeps each job's options string (argv[5]) in
# $T/dump/argv5.JOB_ID.
cupsd_start() {
    mkdir -p "$T/etc" "$T/spool" "$T/cache" "$T/run" "$T/log" "$T/out" "$T/kspool" \
        "$T/serverbin/filter"
    chmod 755 "$T/serverbin" "$T/serverbin/filter"
    # cupsd starts every filter through ServerBin/daemon/cups-exec.
    for _d in backend cgi-bin daemon driver monitor notifier; do
        ln -s "$CUPS_SYS_SERVERBIN/$_d" "$T/serverbin/$_d"
    done
    ln -s "$CUPS_SYS_SERVERBIN"/filter/* "$T/serverbin/filter/"
    chown lp "$T/kspool"
    chmod 1733 "$T/kspool"
    # cupsd refuses a filter that is not root-owned or is group/world-writable.
    _filter="$T/serverbin/filter/jobfilter"
    if [ "${2:-}" = --keep-options ]; then
        mkdir -p "$T/dump"
        chmod 1777 "$T/dump"
        install -o root -g root -m 755 "$1" "$_filter.bin"
        cat > "$_filter" <<EOF
#!/bin/sh
printf %s "\$5" > "$T/dump/argv5.\$1"
exec "$_filter.bin" "\$@"
EOF
        chown root:root "$_filter"
        chmod 755 "$_filter"
    else
        install -o root -g root -m 755 "$1" "$_filter"
    fi

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
    # Without a Location block cupsd ignores the peer credentials and
    # lpadmin is refused. CUPSD_CONF_EXTRA adds a test's own lines.
    cat > "$T/etc/cupsd.conf" <<EOF
LogLevel debug
Listen $T/cups.sock
Browsing No
${CUPSD_CONF_EXTRA:-}
<Location />
</Location>
EOF
    cat > "$T/job-state.test" <<'EOF'
{ OPERATION Get-Job-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR integer job-id $job
  ATTR name requesting-user-name root
  ATTR keyword requested-attributes job-state
  DISPLAY job-state
}
EOF

    export CUPS_SERVER="$T/cups.sock"
    export KESTRANE_SPOOL_DIR="$T/kspool"
    # Filters inherit cupsd's working directory.
    (cd "$T" && exec cupsd -f -c "$T/etc/cupsd.conf" -s "$T/etc/cups-files.conf") &
    CUPSD_PID=$!
    _i=0
    until lpstat -r 2>/dev/null | grep -q 'is running'; do
        _i=$((_i + 1))
        if [ $_i -ge 200 ] || ! kill -0 "$CUPSD_PID" 2>/dev/null; then
            cat "$T/log/error_log" 2>/dev/null
            fail "cupsd did not start"
        fi
        sleep 0.05
    done
}

# cupsd_add_queue QUEUE PPD: an enabled queue printing to $T/out/QUEUE.prn.
cupsd_add_queue() {
    lpadmin -p "$1" -E -v "file://$T/out/$1.prn" -P "$2" 2>/dev/null || fail "lpadmin $1"
}

# cupsd_submit QUEUE LP_ARGUMENTS...: prints the job id of the new job.
cupsd_submit() {
    _q=$1
    shift
    lp -d "$_q" "$@" | sed -n "s/.*request id is $_q-\([0-9]*\).*/\1/p"
}

# cupsd_wait_job QUEUE JOB_ID: waits up to 30 s for the job to end, leaves its
# state in JOB_STATE and is true when it completed; otherwise shows the job's
# log lines (no debug ones). A failing filter stops the job and leaves it queued.
cupsd_wait_job() {
    _uri="ipp://$(printf %s "$T/cups.sock" | sed 's|/|%2F|g')/printers/$1"
    JOB_STATE=""
    _i=0
    while [ $_i -lt 600 ]; do
        JOB_STATE=$(ipptool -c -d job="$2" "$_uri" "$T/job-state.test" 2>/dev/null | tail -1)
        case "$JOB_STATE" in completed | aborted | canceled | processing-stopped) break ;; esac
        _i=$((_i + 1))
        sleep 0.05
    done
    [ "$JOB_STATE" = completed ] && return 0
    grep -a "\[Job $2\]" "$T/log/error_log" | grep -a -v "^D " | tail -20
    return 1
}
