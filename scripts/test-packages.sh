#!/bin/sh
# Installs the packages of build-packages.sh into a fresh Debian root
# (debootstrap), starts CUPS there, makes a queue from the installed PPD and
# prints through it; then plays the installed print dialog against that queue.
#
#   scripts/test-packages.sh [PACKAGE_DIR]   (default: build-package/)
#
# Needs root and Debian's package mirror; takes a few minutes.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PKG=$(cd "${1:-$ROOT/build-package}" && pwd)
[ "$(id -u)" = 0 ] || { echo "test-packages: needs root (debootstrap, chroot)"; exit 1; }
ls "$PKG"/*.deb >/dev/null || { echo "test-packages: no packages in $PKG"; exit 1; }
if ! command -v debootstrap >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q --no-install-recommends debootstrap </dev/null
fi

T=$(mktemp -d /tmp/kestrane-pkgtest.XXXXXX)
R="$T/root"
CUPSD=""
cleanup() {
    [ -n "$CUPSD" ] && kill "$CUPSD" 2>/dev/null && wait "$CUPSD" 2>/dev/null
    umount "$R/proc" 2>/dev/null || true
    umount "$R/dev/pts" 2>/dev/null || true
    rm -rf "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)
echo "test-packages: debootstrap $suite from ${mirror:-the default mirror}"
debootstrap --variant=minbase "$suite" "$R" ${mirror:+"$mirror"} > "$T/debootstrap.log" 2>&1 ||
    { tail -20 "$T/debootstrap.log"; fail "debootstrap"; }
mount -t proc proc "$R/proc"
mkdir -p "$R/pkgs"
cp "$PKG"/*.deb "$R/pkgs/"
chroot "$R" sh -c 'apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    --no-install-recommends /pkgs/*.deb cups-client' > "$T/apt.log" 2>&1 ||
    { tail -30 "$T/apt.log"; fail "installing the packages"; }

# Without systemd in the root, make what systemd-tmpfiles would make.
chroot "$R" sh -c 'command -v systemd-tmpfiles >/dev/null &&
    systemd-tmpfiles --create /usr/lib/tmpfiles.d/kestrane.conf' ||
    { install -d -o lp -g lp -m 1733 "$R/var/spool/kestrane"
      chroot "$R" install -d -g lpadmin -m 2775 /var/lib/kestrane/preferences; }
[ "$(stat -c %a "$R/var/spool/kestrane")" = 1733 ] || fail "spool directory mode"

echo "FileDevice Yes" >> "$R/etc/cups/cups-files.conf"
chroot "$R" /usr/sbin/cupsd -f &
CUPSD=$!
i=0
until chroot "$R" lpstat -r 2>/dev/null | grep -q 'is running'; do
    i=$((i + 1)); [ $i -lt 100 ] || fail "cupsd in the root did not start"; sleep 0.1
done
# The queue from the installed PPD file (lpinfo -m needs cups-driverd,
# which a bare chroot cannot always start).
ppd=/usr/share/cups/model/kestrane/Kestrane-MFP.ppd
[ -f "$R$ppd" ] || fail "the package did not install $ppd"
chroot "$R" lpadmin -p mfp -E -v file:///tmp/mfp.prn -P "$ppd" || fail "lpadmin"
chmod 1777 "$R/tmp"
cp "$ROOT/samples/sample-job.ps" "$R/tmp/job.ps"
chroot "$R" lp -d mfp -o com.kestrane.mtz.printsettings.PrintTypeTicketKey=0 /tmp/job.ps
i=0
until [ -s "$R/tmp/mfp.prn" ] && ! chroot "$R" lpstat -o mfp | grep -q mfp; do
    i=$((i + 1)); [ $i -lt 300 ] || { tail -30 "$R/var/log/cups/error_log"; fail "no output"; }
    sleep 0.2
done
grep -a -q '@PJL ENTER LANGUAGE=POSTSCRIPT' "$R/tmp/mfp.prn" || fail "no PJL in the output"

# The installed dialog, headless, through the same queue.
printf 'copies 2\nprint\n' > "$R/tmp/print.script"
chroot "$R" env QT_QPA_PLATFORM=offscreen HOME=/tmp printdialog --printer mfp \
    --script /tmp/print.script --emit json /tmp/job.ps > "$T/report.json" 2> "$T/dialog.err" ||
    { cat "$T/dialog.err"; fail "printdialog in the root"; }
grep -q '"result": "printed"' "$T/report.json" || { cat "$T/report.json"; fail "not printed"; }
echo "PASS: packages installed in a fresh root; lp and printdialog printed through CUPS"
