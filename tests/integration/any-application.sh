#!/bin/sh
# Printing from any application through a real, private cupsd
# (cupsd-harness.sh): the sample PPD's job type, accounting and finishing
# options and the IPP accounting attributes, given with `lp -o` as GTK's or
# Qt's dialog would give them, reach jobfilter and make the same PJL header
# as the print dialog's ticket keys for the same settings; invalid values
# leave their feature out while the job prints and its state message says
# why; `lpoptions` defaults apply.
#
#   any-application.sh JOBFILTER SOURCE_DIR
#
# Exit 0 all passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
FILTER_BIN=$(readlink -f "$1")
SRC=$(readlink -f "$2")
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require lp lpoptions cupstestppd
PPD="$SRC/ppd/Kestrane-MFP.ppd"
DOC="$SRC/samples/report.ps"
P=com.kestrane.mtz.printsettings

scratch_dir anyapp
mkdir -p "$T/res"
if cupstestppd -W none -I filters "$PPD" >"$T/cupstestppd" 2>&1; then ok "ppd passes cupstestppd"; else
    bad "ppd passes cupstestppd"; cat "$T/cupstestppd"; fi
# The README's JobPrivateValues line, in the policy of every queue.
JPV=$(sed -n 's/^ *\(JobPrivateValues default .*\)$/\1/p' "$SRC/README.md" | head -1)
[ -n "$JPV" ] || bad "README has a JobPrivateValues line"
CUPSD_CONF_EXTRA="<Policy default>
JobPrivateAccess default
$JPV
<Limit All>
Order deny,allow
</Limit>
</Policy>"
cupsd_start "$FILTER_BIN" --keep-options
cupsd_add_queue kst "$PPD"
# lpoptions keeps a person's defaults in ~/.cups; ours stay in the scratch
# directory.
mkdir -p "$T/home"
export HOME="$T/home"

# print NAME lp-arguments...: prints the sample document as user kim with
# the title "Report" and keeps the PJL header as $T/res/NAME.pjl and the job
# id in $T/res/NAME.id.
print() {
    _name=$1; shift
    _id=$(cupsd_submit kst -U kim -t Report "$@" "$DOC")
    [ -n "$_id" ] || { bad "$_name: job submitted"; return 1; }
    echo "$_id" > "$T/res/$_name.id"
    if cupsd_wait_job kst "$_id"; then ok "$_name: job completed"; else
        bad "$_name: job completed (state '$JOB_STATE')"
        return 1
    fi
    cp "$T/out/kst.prn" "$T/res/$_name.prn"
    sed -n '1,/^@PJL ENTER LANGUAGE/p' "$T/res/$_name.prn" > "$T/res/$_name.pjl"
}

# same NAME "ppd options" "ticket options": both jobs give one PJL header.
same() {
    # shellcheck disable=SC2086
    print "$1.ppd" $2 && print "$1.ticket" $3 || return
    if cmp -s "$T/res/$1.ppd.pjl" "$T/res/$1.ticket.pjl"; then ok "$1: same PJL header"; else
        bad "$1: same PJL header"; diff "$T/res/$1.ppd.pjl" "$T/res/$1.ticket.pjl" | cat -v; fi
}

# The job type keys the panel writes besides the ones given.
JT="-o $P.DocumentNameTypeTicketKey=1 -o $P.PrintTypeProductTypeTicketKey=0"
# The accounting panel's user mode with stored settings; the sample PPD's
# prompt forces information set 5.
ACC="-o $P.JBAManageTypeListTicketKey=2 -o $P.JBAUserSettingRadioBtnTicket=1
     -o $P.JBAUserInputRadioBtnTicket=0 -o $P.JBAInfoListTicketKey=1
     -o $P.JBAInfoSetListTicketKey=5"

# --- Each job type and accounting form: the same header as the dialog's -----
# The passwords' protected forms are known answers: "1234" is CmJgfw==,
# "98765" AmhkfQ4=, "s3cret" SGMwOV4k.
same secure \
    "-o KRPrintType=Secure -o KRHoldUserID=Custom.alice -o KRHoldPassword=Custom.1234" \
    "-o $P.PrintTypeTicketKey=2 -o $P.PrintTypeUserNameTicketKey=alice
     -o $P.PrintTypePasswordTicketKey=CmJgfw== $JT"
same sample "-o KRPrintType=Sample -o KRDocumentName=Custom.Minutes" \
    "-o $P.PrintTypeTicketKey=3 -o $P.PrintTypeUserNameTicketKey=kim
     -o $P.DocumentNameTypeTicketKey=2 -o $P.DocumentNameTicketKey=Minutes
     -o $P.PrintTypeProductTypeTicketKey=0"
same delayed "-o KRPrintType=Delayed -o KRDelayPrintTime=Custom.2026:12:24:08:00" \
    "-o $P.PrintTypeTicketKey=4 -o $P.DelayPrintTicketKey=2026:12:24:08:00 $JT"
same mailbox \
    "-o KRPrintType=MailBox -o KRMailBoxNumber=Custom.42 -o KRMailBoxPassword=Custom.98765" \
    "-o $P.PrintTypeTicketKey=5 -o $P.PrintTypeMBNTicketKey=42
     -o $P.PrintTypeMBNPasswordTicketKey=AmhkfQ4= $JT"
same job-password "-o job-password=1234" \
    "-o $P.PrintTypeTicketKey=2 -o $P.PrintTypeUserNameTicketKey=kim
     -o $P.PrintTypePasswordTicketKey=CmJgfw== $JT"
same login-name \
    "-o KRJBAAccounting=LoginName -o KRJBAAccountID=Custom.ACC-7 -o KRJBAPassword=Custom.s3cret" \
    "$ACC -o $P.JBAUserIDListCtrlTicket=1 -o $P.JBAUserIDTextEditTicket=
     -o $P.JBAAccountIDTextEditTicket=ACC-7 -o $P.JBAUserPasswordTextEditTicket=SGMwOV4k"
same entered-user-id "-o KRJBAAccounting=UserID -o KRJBAUserID=Custom.alice" \
    "$ACC -o $P.JBAUserIDListCtrlTicket=2 -o $P.JBAUserIDTextEditTicket=alice"
same ipp-accounting "-o job-accounting-user-id=bob -o job-account-id=dept9" \
    "$ACC -o $P.JBAUserIDListCtrlTicket=2 -o $P.JBAUserIDTextEditTicket=bob
     -o $P.JBAAccountIDTextEditTicket=dept9"
same finishing \
    "-o KRTabShift=Custom.12.7 -o KRNumberingStart=Custom.7 -o KROffsetPages=Custom.3" \
    "-o $P.TabMarginSwitchTicket=1 -o $P.TabMarginMMShiftTicket=127
     -o $P.NumInSequenceSwitchTicket=1 -o $P.NumInSequenceLArrowTicket=7
     -o $P.OffsetStackingListTicket=4 -o $P.OffsetStackingPagesLArrowTicket=3"
check "secure: the header holds the hold lines" \
    grep -q '^@PJL SET HOLDENCRYPTKEY="CmJgfw=="' "$T/res/secure.ppd.pjl"
check "secure: neither password nor option reaches the PostScript" \
    sh -c "! grep -a -q -e '(1234)' -e KRHold -e CustomKR '$T/res/secure.ppd.prn'"

# One request for the job's attributes: attrs names them.
cat > "$T/job-attributes.test" <<'EOF'
{ OPERATION Get-Job-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR integer job-id $job
  ATTR keyword requested-attributes $attrs
  DISPLAY job-printer-state-message
}
EOF
chmod 644 "$T/job-attributes.test"
URI="ipp://$(printf %s "$T/cups.sock" | sed 's|/|%2F|g')/printers/kst"
# Another user listing the secure job sees its type, not its passwords; the
# filter still got them.
for _job in secure.ppd secure.ticket; do
    runuser -u nobody -- ipptool -t -v -d job="$(cat "$T/res/$_job.id")" -d attrs=all "$URI" \
        "$T/job-attributes.test" > "$T/res/$_job.seen" 2>&1
    check "$_job: other users see the job type" grep -q -e 'KRPrintType\|PrintTypeTicketKey' \
        "$T/res/$_job.seen"
    check "$_job: other users see no password" sh -c "! grep -q -e KRHoldPassword \
        -e PrintTypePasswordTicketKey -e Custom.1234 -e CmJgfw '$T/res/$_job.seen'"
done

# What CUPS passes in argv[5]: the accounting attributes and the job password
# arrive, job-hold-until does not (cupsd holds the job itself).
print measure -o job-accounting-user-id=u1 -o job-account-id=a1 -o job-billing=b1 \
    -o job-password=1234 -o job-hold-until=no-hold
ARGV5="$T/dump/argv5.$(cat "$T/res/measure.id")"
for _a in job-accounting-user-id=u1 job-account-id=a1 job-billing=b1 job-password=1234; do
    check "argv[5] carries $_a" grep -q -e "$_a" "$ARGV5"
done
check "argv[5] carries no job-hold-until" sh -c "! grep -q job-hold-until '$ARGV5'"

# --- Invalid values: feature left out, job prints, state message says why ---
print plain
# invalid NAME WHY lp-arguments...: the job completes with the plain job's
# header and WHY in its state message.
invalid() {
    _case=$1 _why=$2; shift 2
    print "$_case" "$@" || return
    check "$_case: feature left out" cmp -s "$T/res/$_case.pjl" "$T/res/plain.pjl"
    _msg=$(ipptool -c -d job="$(cat "$T/res/$_case.id")" -d attrs=job-printer-state-message \
        "$URI" "$T/job-attributes.test" | tail -1)
    case "$_msg" in *"$_why"*) ok "$_case: state message '$_msg'" ;;
    *) bad "$_case: state message '$_msg' says '$_why'" ;; esac
}
invalid short-password "Secure print left out: the password must have 4 to 12 digits" \
    -o KRPrintType=Secure -o KRHoldPassword=Custom.123
invalid mailbox-range "Mailbox print left out: the mailbox number must be 1 to 100" \
    -o KRPrintType=MailBox -o KRMailBoxNumber=Custom.101
invalid not-latin1 "Accounting left out: the user ID must be 1 to 32 characters from Latin-1" \
    -o KRJBAAccounting=UserID -o "KRJBAUserID=Custom.$(printf '\316\251')mega"

# --- lpoptions defaults -------------------------------------------------------
# A user ID and account ID saved for the queue apply to every job; an option
# of the job still overrides its default.
lpoptions -p kst -o KRJBAAccounting=UserID -o KRJBAUserID=Custom.saved \
    -o KRJBAAccountID=Custom.ACC-9 >/dev/null
if print lpoptions; then
    check "lpoptions: saved user ID and account ID" sh -c \
        "grep -q '@JOAU=saved' '$T/res/lpoptions.pjl' && grep -q '@DAID=ACC-9' '$T/res/lpoptions.pjl'"
fi
if print lpoptions-override -o KRJBAUserID=Custom.other; then
    check "lpoptions: the job's own option wins" grep -q '@JOAU=other' "$T/res/lpoptions-override.pjl"
fi
summary
