#!/bin/sh
# Installs what the build, tests, demo, benchmarks and fuzzing need on a fresh
# Debian 12 machine. Does nothing when every package is already present.
set -eu

PACKAGES="
g++ cmake ninja-build make pkg-config libgtest-dev libbenchmark-dev
clang libclang-rt-14-dev
libcups2-dev libcupsfilters-dev libcupsimage2-dev
cups cups-daemon cups-client cups-filters cups-ppdc cups-core-drivers cups-ipp-utils
ghostscript libxml2-utils
qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-image-formats-plugins libqt6svg6
libxkbcommon-dev fonts-dejavu-core
libmagick++-dev
time
fonts-urw-base35
libpoppler-qt6-dev qtkeychain-qt6-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "install-deps: installing$missing"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q </dev/null
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing </dev/null
