#!/bin/sh
# End-to-end print test through a real, private cupsd (cupsd-harness.sh).
#
#   cups-print.sh JOBFILTER SOURCE_DIR
#
# A queue with our sample PPD (filter chain pstops -> jobfilter, device a
# file) prints a few jobs with `lp -o`; the device file must hold the job
# ticket, the PJL header byte for byte, the PostScript fragments and the
# closing Control-D.
#
# Exit 0 all passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
FILTER_BIN=$(readlink -f "$1")
SRC=$(readlink -f "$2")
. "$SRC/scripts/lib-options.sh"
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require lp cupstestppd gs
PPD="$SRC/ppd/Kestrane-MFP.ppd"
DOC="$SRC/samples/report.ps"
P=com.kestrane.mtz.printsettings

scratch_dir cups
mkdir -p "$T/res" "$T/elsewhere"
chmod 755 "$T/elsewhere"
if cupstestppd -W none -I filters "$PPD" >"$T/cupstestppd" 2>&1; then ok "ppd passes cupstestppd"; else
    bad "ppd passes cupstestppd"; cat "$T/cupstestppd"; fi
cupsd_start "$FILTER_BIN"
cupsd_add_queue kst "$PPD"

# print NAME lp-arguments...: prints the sample document, waits for the job
# and keeps the device file as $T/res/NAME.prn.
print() {
    _name=$1; shift
    _id=$(cupsd_submit kst "$@" "$DOC")
    [ -n "$_id" ] || { bad "$_name: job submitted"; return 1; }
    if cupsd_wait_job kst "$_id"; then ok "$_name: job completed"; else
        bad "$_name: job completed (state '$JOB_STATE')"
        return 1
    fi
    cp "$T/out/kst.prn" "$T/res/$_name.prn"
    postscript_part "$T/res/$_name.prn" > "$T/res/$_name.ps" || true
}

# starts_with FILE EXPECTED_FILE: FILE begins with exactly the bytes of
# EXPECTED_FILE (shows both heads on a mismatch).
starts_with() {
    _len=$(wc -c < "$2")
    if head -c "$_len" "$1" | cmp -s - "$2"; then return 0; fi
    echo "--- expected"; cat -v "$2"; echo "--- got"; head -c "$_len" "$1" | cat -v; echo
    return 1
}
# count FILE TEXT: number of times the (multi-line) TEXT occurs in FILE.
count() {
    tr '\n\r' '\013\014' < "$1" | grep -o -F "$(printf %s "$2" | tr '\n\r' '\013\014')" | wc -l
}
has_count() { # FILE TEXT N
    _c=$(count "$1" "$2")
    [ "$_c" -eq "$3" ] || { echo "    '$2' found $_c times, want $3"; return 1; }
}
renders() { # PS file renders in Ghostscript without an error
    [ -s "$1" ] && gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage "$1" > "$1.gs" 2>&1 &&
        ! grep -q -i error "$1.gs" || { cat "$1.gs"; return 1; }
}

ESC=$(printf '\033')
CR=$(printf '\r')
HEAD="${ESC}%-12345X@PJL JOB MODE=PRINTER${CR}"
ID_LINES() { # user: the identity lines every job carries here
    printf '@PJL SET JOBATTR="@CNAM=testhost"\n@PJL SET JOBATTR="@LUNA=%s"\n' "$1"
    printf '@PJL SET JOBATTR="@HOAD=IC0A8010A"\n@PJL SET JOBATTR="@NLPP=N1"\n'
}
IDENTITY="-o $P.JBAMacHostNameStringTicket=testhost -o $P.JBAIPAddressStringTicket=IC0A8010A"

# --- Secure print with a job ticket ---------------------------------------
# The dialog left a job ticket in the spool directory; it must come first in
# the stream, byte for byte, and be gone afterwards. The protected password
# starts with "/" and must reach the printer unchanged.
TICKET=$(mktemp "$T/kspool/XXXXXXXXXXXXXX")
cp "$SRC/samples/sample-ticket.xml" "$TICKET"
chmod 0644 "$TICKET"
# shellcheck disable=SC2086
if print secure -U alice -t "Secure job" $IDENTITY \
    -o "$P.PrintTypeTicketKey=2" -o "$P.PrintTypeUserNameTicketKey=alice" \
    -o "$P.PrintTypePasswordTicketKey=/k1xT3+aQ2E=" \
    -o "$P.DocumentNameTypeTicketKey=2" -o "$P.DocumentNameTicketKey=\"Board minutes\"" \
    -o "$P.KPIFCommandFileNameTicket=$(ticket_escaped "$TICKET")"; then
    {
        cat "$SRC/samples/sample-ticket.xml"
        printf '%s\n' "$HEAD"
        printf '@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n'
        printf '@PJL SET USERNAME="alice"\r\n@PJL SET HOLDENCRYPTKEY="/k1xT3+aQ2E="\r\n'
        printf '@PJL SET JOBNAME="Board minutes"\r\n'
        ID_LINES alice
        printf '@PJL SET JOBATTR="@JOAU=alice"\r\n'
        printf '@PJL ENTER LANGUAGE=POSTSCRIPT\n'
    } > "$T/res/secure.expected"
    check "secure: ticket first, then the PJL header byte for byte" \
        starts_with "$T/res/secure.prn" "$T/res/secure.expected"
    check "secure: job ticket deleted from the spool directory" test ! -e "$TICKET"
    check "secure: pstops ran before the filter" \
        has_count "$T/res/secure.ps" '%%BeginFeature: *PageSize A4' 1
    check "secure: document pages all there" has_count "$T/res/secure.ps" "$(printf '\nep\n')" 3
    check "secure: ends with Control-D" ends_with_ctrl_d "$T/res/secure.prn"
fi

# --- Accounting in user mode ------------------------------------------------
# Stored settings, the login name as user ID, an account ID. The job title
# carries double quotes, which must not end the PJL value early. A ticket path
# outside the spool directory is neither sent nor deleted.
OUTSIDE="$T/elsewhere/$(basename "$(mktemp -u XXXXXXXXXXXXXX)")"
echo "not a ticket" > "$OUTSIDE"
chmod 0644 "$OUTSIDE"
# shellcheck disable=SC2086
if print accounting -U kim -t 'Q3 "final" report' $IDENTITY \
    -o "$P.JBAManageTypeListTicketKey=2" -o "$P.JBAUserSettingRadioBtnTicket=1" \
    -o "$P.JBAUserIDListCtrlTicket=1" -o "$P.JBAUserIDTextEditTicket=kim" \
    -o "$P.JBAAccountIDTextEditTicket=ACC-7" \
    -o "$P.JBAInfoListTicketKey=0" -o "$P.JBAInfoSetListTicketKey=0" \
    -o "$P.KPIFCommandFileNameTicket=$(ticket_escaped "$OUTSIDE")"; then
    {
        printf '%s\n' "$HEAD"
        ID_LINES kim
        printf '@PJL SET JOBATTR="@JOAU=kim"\r\n@PJL SET JOBATTR="@JOEP="\r\n'
        printf '@PJL SET JOBATTR="@DAID=ACC-7"\r\n'
        printf '@PJL SET JOBATTR="@ACNA=Q3 _final_ report"\r\n'
        printf '@PJL ENTER LANGUAGE=POSTSCRIPT\n'
    } > "$T/res/accounting.expected"
    check "accounting: PJL header byte for byte" \
        starts_with "$T/res/accounting.prn" "$T/res/accounting.expected"
    check "accounting: file outside the spool directory kept" test -e "$OUTSIDE"
    check "accounting: ends with Control-D" ends_with_ctrl_d "$T/res/accounting.prn"
fi

# --- Finishing ----------------------------------------------------------------
# PJL attributes for tab shift, trimming off, numbering, offset by copies; the
# separator-page and booklet fragments at the prolog and setup ends of a 1-up
# job. The separator specification holds a blank, so lp needs it quoted.
# shellcheck disable=SC2086
if print finishing -U alice -t finishing $IDENTITY \
    -o "$P.TabMarginSwitchTicket=1" -o "$P.TabMarginMMShiftTicket=10" \
    -o "$P.TrimmerSwitchTicket=0" \
    -o "$P.NumInSequenceSwitchTicket=1" -o "$P.NumInSequenceLArrowTicket=5" \
    -o "$P.OffsetStackingListTicket=5" -o "$P.OffsetStackingUnitsLArrowTicket=2" \
    -o "$P.SeparatorPageListTicket=2" -o "$P.SeparatorPageTicket=\"1 3\"" \
    -o "$P.BookletMarginSwitchTicket=1" -o "$P.BookletMarginMMShiftTicket=5" \
    -o "$P.AutoFitSwitchTicket=0" \
    -o "com.apple.print.PrintSettings.PMLayoutRows..n.=1" \
    -o "com.apple.print.PrintSettings.PMLayoutColumns..n.=1"; then
    {
        printf '%s\n' "$HEAD"
        ID_LINES alice
        printf '@PJL SET JOBATTR="@JOAU=alice"\r\n'
        printf '@PJL SET JOBATTR="@TABS=10"\n@PJL SET JOBATTR="@TRMR=0"\n'
        printf '@PJL SET JOBATTR="@MDOC=5"\n@PJL SET JOBOFFSET=COPIES\n'
        printf '@PJL SET JOBATTR="@OCSN=2"\n'
        printf '@PJL ENTER LANGUAGE=POSTSCRIPT\n'
    } > "$T/res/finishing.expected"
    check "finishing: PJL header byte for byte" \
        starts_with "$T/res/finishing.prn" "$T/res/finishing.expected"
    check "finishing: separator pages before %%EndProlog" has_count "$T/res/finishing.ps" \
        "$(printf '[{\n%%BeginNonPPDFeatures\n1 dict dup/SeparatorPages[1 3]put/Custom/ProcSet findresource/setcoverseparator get exec\n%%EndNonPPDFeatures\n} stopped cleartomark\n%%%%EndProlog\n')" 1
    check "finishing: booklet shift and auto-fit off before %%EndSetup" \
        has_count "$T/res/finishing.ps" "$(printf '[{\n%%BeginNonPPDFeatures\n5.000/Custom/ProcSet findresource/setsignatureimageshift get exec\n%%EndNonPPDFeatures\n} stopped cleartomark\n[{\n%%BeginNonPPDFeatures\n/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get false exch exec} {pop pop} ifelse\n%%EndNonPPDFeatures\n} stopped cleartomark\n%%%%EndSetup\n')" 1
    check "finishing: PostScript renders in Ghostscript" renders "$T/res/finishing.ps"
fi

# --- Text watermark -------------------------------------------------------------
# Blue at 50 % density on every page, centred on A4 portrait; the text holds a
# blank and parentheses.
# shellcheck disable=SC2086
if print watermark -U alice -t watermark $IDENTITY \
    -o "$P.WMARKNameTicket=Draft" -o "$P.WMARKTypeTicket=0" -o "$P.WMARKOnlyFirstTicket=0" \
    -o "$P.WMARKTextTicket=\"Draft (v2)\"" -o "$P.WMARKFontTypeTicket=0" \
    -o "$P.WMARKFontTicket=Helvetica-Bold" -o "$P.WMARKFontSizeTicket=48" \
    -o "$P.WMARKColorRTicket=0" -o "$P.WMARKColorGTicket=0" -o "$P.WMARKColorBTicket=1" \
    -o "$P.WMARKDensityTicket=50" -o "$P.WMARKAngleTicket=0" \
    -o "$P.WMARKOrientationTicket=1" -o "$P.WMARKPaperWidthTicket=595" \
    -o "$P.WMARKPaperHeightTicket=842" -o "$P.WMARKWidthTicket=300" \
    -o "$P.WMARKHeightTicket=40" -o "$P.WMARKhOffsetTicket=0" -o "$P.WMARKvOffsetTicket=0"; then
    # Under cupsd the document is pstops output: the text is drawn by one
    # procedure, hung on the page device's EndPage, not before "ep" lines.
    check "watermark: drawing procedure once, in the setup" has_count "$T/res/watermark.ps" \
        "$(printf 'userdict/kvqwmdraw{gsave\n0.50 0.50 1.00 setrgbcolor\n/Helvetica-Bold 48 selectfont\n147.50 401.00 moveto\n0 rotate\n(Draft \\(v2\\)) show\ngrestore}bind put\n')" 1
    check "watermark: hung on EndPage" has_count "$T/res/watermark.ps" "/EndPage{" 1
    check "watermark: no save per page" has_count "$T/res/watermark.ps" "kvqbp" 0
    check "watermark: PostScript renders in Ghostscript" renders "$T/res/watermark.ps"
fi

summary
