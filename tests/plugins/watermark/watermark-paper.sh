#!/bin/sh
# Prints blank one-page jobs with watermarks chosen in the headless dialog
# through a real, private cupsd (pstops, then jobfilter) and renders what
# reaches the printer with Ghostscript, one PNG per case, for the preview
# comparison of test_watermark_paper.
#
#   watermark-paper.sh PRINTDIALOG JOBFILTER PLUGIN_DIR SOURCE_DIR OUT_DIR PICTURE
#
# Exit 0 rendered, 1 a step failed, 77 skipped (not root, no cupsd or gs).
set -u
DIALOG=$(readlink -f "$1")
FILTER_BIN=$(readlink -f "$2")
PLUGINS=$(readlink -f "$3")
SRC=$(readlink -f "$4")
OUT=$5
PICTURE=$(readlink -f "$6")
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require gs
scratch_dir watermark-paper
cupsd_start "$FILTER_BIN"
cupsd_add_queue wm "$SRC/ppd/Kestrane-MFP.ppd"
mkdir -p "$OUT"
cp "$PICTURE" "$T/picture.png"
chmod 644 "$T/picture.png"

# One blank A4 page.
cat > "$T/blank.ps" <<'PS'
%!PS-Adobe-3.0
%%BoundingBox: 0 0 595 842
%%Pages: 1
%%EndComments
%%BeginProlog
%%EndProlog
%%BeginSetup
%%EndSetup
%%Page: 1 1
showpage
%%EOF
PS

# print_case NAME ORIENTATION MODAL_COMMANDS
print_case() {
    cat > "$T/$1.script" <<EOS
orientation $2
panel com.kestrane.mtk.pde.WaterMarkKind
modal
$3
  click 8131
end
click 8002
print
EOS
    dialog_run root "$1" --printer wm --emit json --script "$T/$1.script" "$T/blank.ps" \
        > "$T/$1.json" 2> "$T/$1.err" || { cat "$T/$1.err"; fail "printdialog $1"; }
    id=$(dialog_job_id "$T/$1.json")
    [ -n "$id" ] || { cat "$T/$1.json"; fail "no job id for $1"; }
    cupsd_wait_job wm "$id" || fail "job $1 ended $JOB_STATE"
    # The PostScript between the PJL header and the closing Control-D.
    sed -n '/^%!/,$p' "$T/out/wm.prn" | tr -d '\004' > "$T/$1.ps"
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r36 -sOutputFile="$OUT/$1.png" \
        "$T/$1.ps" > "$T/$1.gs" 2>&1 || { cat "$T/$1.gs"; fail "gs $1"; }
    ok "$1 printed and rendered"
}

TEXT='  type 8101 Paper
  type 8104 DRAFT
  choose 8106 Helvetica
  type 8108 96
  type 8116 100'
for o in portrait landscape; do
    print_case "text0-$o" $o "$TEXT
  set 8113 0
  type 8123 2.0
  type 8127 1.0"
    print_case "text45-$o" $o "$TEXT
  set 8113 45"
    for s in 50 200; do
        print_case "picture$s-$o" $o "  type 8101 Paper
  click 8103
  file-answer $T/picture.png
  click 8110
  type 8119 $s"
    done
done
summary
