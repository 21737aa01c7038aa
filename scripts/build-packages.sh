#!/bin/sh
# Builds the Debian packages (printer-driver-kestrane, kestrane-printdialog)
# from a clean export of the committed tree and checks them with lintian.
#
#   scripts/build-packages.sh [OUT_DIR]      (default: build-package/)
#
# Installs the packaging tools when they are missing (it is the only step of
# the project that needs them). The .deb files land in OUT_DIR.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$(mkdir -p "${1:-$ROOT/build-package}" && cd "${1:-$ROOT/build-package}" && pwd)

TOOLS="dpkg-dev debhelper fakeroot lintian"
missing=""
for p in $TOOLS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO=sudo
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q </dev/null
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing </dev/null
fi

# A clean checkout: only what git tracks, nothing of a build tree.
rm -rf "$OUT/src" "$OUT"/*.deb "$OUT"/*.buildinfo "$OUT"/*.changes
mkdir -p "$OUT/src"
git -C "$ROOT" archive --format=tar HEAD | tar -x -C "$OUT/src"
# Missing build dependencies are named by dpkg-checkbuilddeps before the
# build; the packages land beside the source directory, in OUT_DIR.
(cd "$OUT/src" && dpkg-buildpackage -us -uc -b -j"${JOBS:-$(nproc)}")
ls -l "$OUT"/*.deb
lintian --fail-on error --no-tag-display-limit "$OUT"/*.deb
echo "packages: $(ls "$OUT"/*.deb | wc -l) built in $OUT, lintian has no errors"
