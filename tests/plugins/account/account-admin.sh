#!/bin/sh
# The accounting settings for all users as an administrator sees them: a real
# user made for the test, member of the administrators' group, changes the
# mode freely and stores settings for everyone; another person then prints
# with them but cannot change them.
#
#   account-admin.sh PRINTDIALOG PLUGIN_DIR SOURCE_DIR [ADMIN_GROUP]
#
# The user (and the group, when the system has none) exist only while the
# test runs. Exit 0 passed, 1 failed, 77 skipped (not root, no user tools).
set -u
DIALOG=$(readlink -f "$1")
PLUGINS=$(readlink -f "$2")
SRC=$(readlink -f "$3")
GROUP=${4:-admin}

if [ "$(id -u)" != 0 ]; then echo "SKIP: needs root to make a user"; exit 77; fi
for t in useradd userdel groupadd groupdel runuser getent; do
    command -v "$t" >/dev/null 2>&1 || { echo "SKIP: $t not installed"; exit 77; }
done

T=$(mktemp -d /tmp/kestrane-account-admin.XXXXXX)
U="kstacct$$"
MADE_GROUP=""
cleanup() {
    userdel "$U" 2>/dev/null
    [ -n "$MADE_GROUP" ] && groupdel "$GROUP" 2>/dev/null
    if [ -n "${KEEP:-}" ]; then echo "kept $T"; else rm -rf "$T"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

if ! getent group "$GROUP" >/dev/null; then
    groupadd "$GROUP" || { echo "SKIP: cannot make group $GROUP"; exit 77; }
    MADE_GROUP=1
fi
useradd -M -N -g "$GROUP" -s /bin/sh "$U" || { echo "SKIP: cannot make user"; exit 77; }

chmod 755 "$T"
mkdir -p "$T/prefs-admin" "$T/prefs-other" "$T/prefs-system" "$T/run-admin" "$T/run-other"
chown "$U" "$T/prefs-admin" "$T/run-admin"
chmod 700 "$T/run-admin" "$T/run-other"
chgrp "$GROUP" "$T/prefs-system"
chmod 775 "$T/prefs-system"
cp "$SRC/ppd/Kestrane-MFP.ppd" "$T/queue.ppd"
chmod 644 "$T/queue.ppd"

cat > "$T/admin.script" <<'EOF'
panel com.kestrane.mtk.pde.AccountKind
set 1001 1
set 1001 2
set 1001 1
modal
  set 2006 2
  type 2007 boss
  type 2018 dept-1
  click 2001
end
click 1002
print
EOF
cat > "$T/other.script" <<'EOF'
panel com.kestrane.mtk.pde.AccountKind
set 1001 1
print
EOF
chmod 644 "$T"/*.script

run_dialog() { # USER PREFS SCRIPT OUT RUNTIME
    runuser -u "$1" -- env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$5" \
        KESTRANE_PLUGIN_DIR="$PLUGINS" KESTRANE_PREFS_USER_ROOT="$2" \
        KESTRANE_PREFS_SYSTEM_ROOT="$T/prefs-system" \
        "$DIALOG" --ppd "$T/queue.ppd" --printer AdminTest --dry-run --emit json --script "$3" \
        > "$4" 2> "$4.err"
}

PASS=0
FAIL=0
check() { # NAME COMMAND...
    _n=$1; shift
    if "$@"; then PASS=$((PASS + 1)); echo "ok   $_n"; else FAIL=$((FAIL + 1)); echo "FAIL $_n"; fi
}
value_is() { # FILE KEY VALUE
    grep -q "\"com.kestrane.mtz.printsettings.$2\": \"$3\"" "$1"
}

run_dialog "$U" "$T/prefs-admin" "$T/admin.script" "$T/admin.json" "$T/run-admin"
check "administrator changes the mode and the settings for all users" test $? = 0
[ -s "$T/admin.json.err" ] && grep -v -e XDG -e propagateSizeHints "$T/admin.json.err"
check "administrator's entered user ID is in the ticket" \
    value_is "$T/admin.json" JBAAdminUserIDTextEditTicket boss
check "the settings are kept for all users" \
    grep -q "AdminTestcom.kestrane.mtz.printsettings.JBAAdminUserIDTextEditReference=boss" \
    "$T"/prefs-system/ByHost/*.ini

run_dialog root "$T/prefs-other" "$T/other.script" "$T/other.json" "$T/run-other"
check "another person prints" test $? = 0
check "another person prints with the administrator's settings" \
    value_is "$T/other.json" JBAAdminAccountIDTextEditTicket dept-1
echo "$PASS passed, $FAIL failed"
[ $FAIL = 0 ]
