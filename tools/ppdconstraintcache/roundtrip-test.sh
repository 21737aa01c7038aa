#!/bin/sh
# Writes a cache for the test PPD, reads both sections back and checks the
# entries and the stamp line; a stale position must be reported.
set -eu
tool=$1
ppddir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" -o "$work/test.cdf" "$ppddir/KestraneTest.ppd" \
    PrintFeaturePDETiger=KRStaple,KRFold,KRBooklet,KRPunch SpecialPagesPDETiger=Duplex

[ "$(head -n 1 "$work/test.cdf")" = PrintFeaturePDETiger ]
# The stamp line ends the file, without a newline.
[ "$(tail -n 1 "$work/test.cdf")" = "*% Last Edit Date: 2026/12/06 Foundation test set" ]
[ "$(tail -c 3 "$work/test.cdf")" = set ]

"$tool" --check "$work/test.cdf" SpecialPagesPDETiger "$ppddir/KestraneTest.ppd" > "$work/special"
grep -qx 'Duplex:None@1@0@1@ forbidden by KRStaple/Front' "$work/special"
grep -qx '7 entries in SpecialPagesPDETiger' "$work/special"
"$tool" --check "$work/test.cdf" PrintFeaturePDETiger > "$work/features"
grep -qx '13 entries in PrintFeaturePDETiger' "$work/features"
grep -qx 'InputSlot:Tray1@1@1@1@' "$work/features"

# A cache checked against another PPD shows the positions that do not fit.
status=0
"$tool" --check "$work/test.cdf" PrintFeaturePDETiger "$ppddir/KestraneTestSJIS.ppd" \
    > "$work/stale" || status=$?
[ "$status" = 3 ]
grep -q 'outside this PPD' "$work/stale"

# A section the file lacks, a directory, a missing file and bad arguments fail
# with a message; help and version go to standard output.
! "$tool" --check "$work/test.cdf" NoSuchSection 2>"$work/err"
grep -q 'has no section NoSuchSection' "$work/err"
! "$tool" --check "$work" PrintFeaturePDETiger 2>"$work/err"
grep -q 'is a directory' "$work/err"
! "$tool" -o "$work/nl.cdf" "$ppddir/KestraneTest.ppd" "$(printf 'A\nB=KRStaple')" 2>"$work/err"
grep -q 'line breaks' "$work/err"
! "$tool" -o "$work/no.cdf" "$ppddir/KestraneTest.ppd" S=KRStaple,NoSuchOption 2>"$work/err"
grep -q 'no option "NoSuchOption"' "$work/err"
[ ! -e "$work/nl.cdf" ] && [ ! -e "$work/no.cdf" ]
"$tool" --help | grep -q '^usage: ppdconstraintcache'
"$tool" --version | grep -q '^ppdconstraintcache [0-9]'
# Every user's dialog reads the cache, whatever the writer's umask.
(umask 077 && "$tool" -o "$work/private.cdf" "$ppddir/KestraneTest.ppd" S=KRStaple)
[ "$(stat -c %a "$work/private.cdf")" = 644 ]
! "$tool" --check "$work/none.cdf" PrintFeaturePDETiger 2>/dev/null
! "$tool" "$ppddir/KestraneTest.ppd" 2>/dev/null
! "$tool" -o "$work/x.cdf" "$ppddir/KestraneTest.ppd" =KRStaple 2>/dev/null
# Without -o the PPD's own attribute names the file (here a missing directory).
! "$tool" "$ppddir/KestraneTest.ppd" S=KRStaple 2>/dev/null
echo "ppdconstraintcache round trip: ok"
