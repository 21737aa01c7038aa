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
. "$SRC/tests/integration/cupsd-harness.sh"

require_root "to make a user"
require_tools useradd userdel groupadd groupdel runuser getent
U="kstacct$$"
MADE_GROUP=""
at_exit() {
    userdel "$U" 2>/dev/null
    [ -n "$MADE_GROUP" ] && groupdel "$GROUP" 2>/dev/null
}
scratch_dir account-admin

if ! getent group "$GROUP" >/dev/null; then
    groupadd "$GROUP" || skip "cannot make group $GROUP"
    MADE_GROUP=1
fi
useradd -M -N -g "$GROUP" -s /bin/sh "$U" || skip "cannot make user"

# The settings for all users: the administrators' group may write them.
mkdir "$T/prefs-system"
chgrp "$GROUP" "$T/prefs-system"
chmod 775 "$T/prefs-system"
cp "$SRC/ppd/Kestrane-MFP.ppd" "$T/queue.ppd"
chmod 644 "$T/queue.ppd"

cat > "$T/admin.script" <<'EOT'
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
EOT
cat > "$T/other.script" <<'EOT'
panel com.kestrane.mtk.pde.AccountKind
set 1001 1
print
EOT
chmod 644 "$T"/*.script

print_as() { # USER NAME SCRIPT: the dialog's report in $T/NAME.json
    dialog_run "$1" "$2" --ppd "$T/queue.ppd" --printer AdminTest --dry-run --emit json \
        --script "$3" > "$T/$2.json" 2> "$T/$2.json.err"
}
value_is() { # FILE KEY VALUE
    grep -q "\"com.kestrane.mtz.printsettings.$2\": \"$3\"" "$1"
}

print_as "$U" admin "$T/admin.script"
check "administrator changes the mode and the settings for all users" test $? = 0
[ -s "$T/admin.json.err" ] && grep -v -e XDG -e propagateSizeHints "$T/admin.json.err"
check "administrator's entered user ID is in the ticket" \
    value_is "$T/admin.json" JBAAdminUserIDTextEditTicket boss
check "the settings are kept for all users" \
    grep -q "AdminTestcom.kestrane.mtz.printsettings.JBAAdminUserIDTextEditReference=boss" \
    "$T"/prefs-system/ByHost/*.ini

print_as root other "$T/other.script"
check "another person prints" test $? = 0
check "another person prints with the administrator's settings" \
    value_is "$T/other.json" JBAAdminAccountIDTextEditTicket dept-1
summary
