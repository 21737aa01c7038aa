#!/bin/sh
# Writes the README's screenshots of the watermark panel and edit window.
# Usage: make-screenshots.sh BUILD
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
# A logo with a transparent background: a blue disc.
python3 - "$T/logo.png" <<'PY'
import struct, sys, zlib
w = h = 60
rows = b""
for y in range(h):
    rows += b"\0"
    for x in range(w):
        inside = (x - 30) ** 2 + (y - 30) ** 2 < 28 ** 2
        rows += bytes([30, 60, 160, 255]) if inside else bytes([0, 0, 0, 0])
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
sed "s|LOGO_PATH|$T/logo.png|" "$HERE/screenshots.script" > "$T/shots.script"
env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$BUILD/plugins" \
    KESTRANE_PREFS_USER_ROOT="$T/prefs" KESTRANE_PREFS_SYSTEM_ROOT="$T/prefs" \
    KESTRANE_SPOOL_DIR="$T" "$BUILD/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" \
    --printer Kestrane_MFP --dry-run --screenshot "$T/shots" --script "$T/shots.script" > /dev/null
# The dialog also writes one picture per page when it ends; only ours are kept.
cp "$T"/shots/watermark-*.png "$HERE/"
