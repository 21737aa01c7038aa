#!/bin/sh
# Watermarks on what CUPS really hands the filter, through a private cupsd.
#
#   cups-page-hooks.sh JOBFILTER SOURCE_DIR
#
# PostScript and PDF documents of 3 and 20 pages go through pstops (PDF first
# through Ghostscript's ps2write) at 1, 2, 4, 6, 9 and 16 up, with a text
# watermark on every or only the first page and an image over or under the
# page. The device file's PostScript is rendered with Ghostscript and every
# cell of every sheet is looked at: a cell that holds a page (black ink)
# carries the watermark, an empty cell of a last sheet does not, an image
# under the page hides behind the page's black bar and one over it covers
# the bar. The save level at the end of the job matches the same job without
# a watermark.
#
# Exit 0 all passed, 1 a check failed, 77 skipped (not root, no cupsd).
set -u
FILTER_BIN=$(readlink -f "$1")
SRC=$(readlink -f "$2")
. "$SRC/scripts/lib-options.sh"
. "$SRC/tests/integration/cupsd-harness.sh"

cupsd_require lp gs od
scratch_dir hooks
mkdir -p "$T/res"
cupsd_start "$FILTER_BIN"
cupsd_add_queue kst "$SRC/ppd/Kestrane-MFP.ppd"
P=com.kestrane.mtz.printsettings

# make_doc PAGES: an A4 PostScript document and its PDF form; every page has
# its number in black near the top and a black bar across its centre.
make_doc() {
    {
        printf '%%!PS-Adobe-3.0\n%%%%Pages: %d\n%%%%EndComments\n' "$1"
        printf '%%%%BeginProlog\n%%%%EndProlog\n%%%%BeginSetup\n%%%%EndSetup\n'
        _p=1
        while [ "$_p" -le "$1" ]; do
            printf '%%%%Page: %d %d\n0 setgray /Helvetica 48 selectfont 100 700 moveto (PAGE %d) show\n' \
                "$_p" "$_p" "$_p"
            printf '100 401 395 40 rectfill showpage\n'
            _p=$((_p + 1))
        done
        printf '%%%%EOF\n'
    } > "$T/doc$1.ps"
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$T/doc$1.pdf" "$T/doc$1.ps"
}
make_doc 3
make_doc 20

# A 120 x 120 green BMP, 24 bits, bottom-up, as the dialog writes it.
IMAGE="$T/kspool/wmGreenSquare"
{
    printf 'BM\366\250\000\000\000\000\000\000\066\000\000\000\050\000\000\000'
    printf '\170\000\000\000\170\000\000\000\001\000\030\000\000\000\000\000'
    printf '\300\250\000\000\023\013\000\000\023\013\000\000\000\000\000\000\000\000\000\000'
    # 14400 pixels, each blue 0, green 200, red 0.
    # shellcheck disable=SC2046
    printf '\000\310\000%.0s' $(seq 14400)
} > "$IMAGE"
chmod 644 "$IMAGE"

TEXT_MARK="-o $P.WMARKNameTicket=Draft -o $P.WMARKTypeTicket=0 -o $P.WMARKTextTicket=SECRET
 -o $P.WMARKFontTypeTicket=0 -o $P.WMARKFontTicket=Helvetica-Bold -o $P.WMARKFontSizeTicket=64
 -o $P.WMARKColorRTicket=1 -o $P.WMARKColorGTicket=0 -o $P.WMARKColorBTicket=0
 -o $P.WMARKDensityTicket=60 -o $P.WMARKAngleTicket=0 -o $P.WMARKOrientationTicket=1
 -o $P.WMARKPaperWidthTicket=595 -o $P.WMARKPaperHeightTicket=842 -o $P.WMARKWidthTicket=230
 -o $P.WMARKHeightTicket=46 -o $P.WMARKhOffsetTicket=0 -o $P.WMARKvOffsetTicket=0"
IMAGE_MARK="-o $P.WMARKNameTicket=Logo -o $P.WMARKTypeTicket=1 -o $P.WMARKOnlyFirstTicket=0
 -o $P.WMARKFilePathTicket=$(ticket_escaped "$IMAGE") -o $P.WMARKScaleTicket=100
 -o $P.WMARKOrientationTicket=1 -o $P.WMARKPaperWidthTicket=595 -o $P.WMARKPaperHeightTicket=842
 -o $P.WMARKWidthTicket=120 -o $P.WMARKHeightTicket=120"

# print NAME DOCUMENT LP_ARGS...: the job's PostScript in $T/res/NAME.ps.
print() {
    _name=$1
    _doc=$2
    shift 2
    _id=$(cupsd_submit kst "$@" "$_doc")
    if [ -n "$_id" ] && cupsd_wait_job kst "$_id"; then
        postscript_part "$T/out/kst.prn" > "$T/res/$_name.ps"
        return 0
    fi
    bad "$_name: job completed (state '${JOB_STATE:-}')"
    return 1
}

# cells NAME COLUMNS ROWS: one line per cell of every rendered sheet,
# "SHEET CELL INK MARK CENTRE DX DY": INK 1 when the cell holds black, MARK 1
# when it holds watermark red or image green, CENTRE the colour at the cell's
# centre (k black, g green, r red, w anything else), DX and DY how far the
# middle of the red lies from the cell's centre, in 1/8 of the cell's size.
cells() {
    rm -f "$T/res/sheet-"*.ppm
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r18 \
        -sOutputFile="$T/res/sheet-%03d.ppm" "$T/res/$1.ps" > /dev/null 2>&1
    _s=0
    for _ppm in "$T/res/sheet-"*.ppm; do
        _s=$((_s + 1))
        # P6, Ghostscript's comment line, width and height, 255.
        _lines=$((3 + $(head -n 4 "$_ppm" | grep -a -c '^#')))
        _size=$(head -n "$_lines" "$_ppm" | grep -a -v '^#' | sed -n 2p)
        _head=$(head -n "$_lines" "$_ppm" | wc -c)
        tail -c +"$((_head + 1))" "$_ppm" | od -An -v -tu1 -w3 |
            awk -v size="$_size" -v C="$2" -v R="$3" -v s="$_s" '
            BEGIN { split(size, d, " "); W = d[1]; H = d[2] }
            {
                i = NR - 1; x = i % W; y = int(i / W)
                c = int(x * C / W) + C * int(y * R / H)
                r = $1; g = $2; b = $3
                if (r < 80 && g < 80 && b < 80) { ink[c] = 1; col = "k" }
                else if (r > 200 && g < 170 && b < 170) {
                    mark[c] = 1; col = "r"
                    if (!(c in x0) || x < x0[c]) x0[c] = x
                    if (!(c in x1) || x > x1[c]) x1[c] = x
                    if (!(c in y0)) y0[c] = y
                    y1[c] = y
                }
                else if (g > 150 && r < 100 && b < 100) { mark[c] = 1; col = "g" }
                else col = "w"
                cx = (int(x * C / W) + 0.5) * W / C; cy = (int(y * R / H) + 0.5) * H / R
                if (x == int(cx) && y == int(cy)) centre[c] = col
            }
            END { for (c = 0; c < C * R; c++) {
                      dx = dy = 0
                      if (c in x0) {
                          dx = int(((x0[c] + x1[c]) / 2 - (c % C + 0.5) * W / C) * 8 * C / W)
                          dy = int(((y0[c] + y1[c]) / 2 - (int(c / C) + 0.5) * H / R) * 8 * R / H)
                      }
                      printf "%d %d %d %d %s %d %d\n", s, c, ink[c] + 0, mark[c] + 0, centre[c], dx, dy
                  } }'
    done
}

# expect NAME COLUMNS ROWS RULE: checks the cells of job NAME.
#   every  each cell with ink has a mark
#   first  exactly one marked cell, on the first sheet, holding ink (and, with
#          a fifth argument, the cell of that number, counted across from the
#          top left)
#   over   each cell with ink has green at its centre
#   under  each cell with ink has black at its centre and green around it
#   middle each cell with ink has its red in the middle of the cell
# and under every rule a cell without ink (the empty cells of a last sheet)
# has no mark.
expect() {
    cells "$1" "$2" "$3" > "$T/res/$1.cells"
    awk -v rule="$4" -v cell="${5:-}" '
        { n++; if ($3) inked++ }
        rule == "every" && $3 && !$4 { print "    sheet " $1 " cell " $2 ": page without watermark"; bad = 1 }
        !$3 && $4 { print "    sheet " $1 " cell " $2 ": watermark on an empty cell"; bad = 1 }
        rule == "first" && $4 { marks++; if ($1 != 1 || !$3 || (cell != "" && $2 != cell)) { print "    mark on sheet " $1 " cell " $2; bad = 1 } }
        rule == "over" && $3 && $5 != "g" { print "    sheet " $1 " cell " $2 ": centre " $5 ", want image"; bad = 1 }
        rule == "middle" && $3 && (!$4 || $6 != 0 || $7 != 0) { print "    sheet " $1 " cell " $2 ": red off the middle by " $6 " " $7 " eighths"; bad = 1 }
        rule == "under" && $3 && ($5 != "k" || !$4) { print "    sheet " $1 " cell " $2 ": centre " $5 " mark " $4 ", want bar over image"; bad = 1 }
        END {
            if (rule == "first" && marks != 1) { print "    " marks + 0 " marked cells, want 1"; bad = 1 }
            if (!inked) { print "    no page rendered"; bad = 1 }
            exit bad }' "$T/res/$1.cells"
}

# save_level NAME: the save level Ghostscript is at after the job's PostScript.
save_level() {
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage "$T/res/$1.ps" -c "vmstatus pop pop =" 2>&1 |
        tail -n 1
}

for kind in ps pdf; do
    for up in 1 2 4; do
        case $up in 1) C=1 R=1 ;; 2) C=1 R=2 ;; 4) C=2 R=2 ;; esac
        D3="$T/doc3.$kind"
        # shellcheck disable=SC2086
        print "$kind-$up-every" "$D3" -o number-up=$up $TEXT_MARK -o $P.WMARKOnlyFirstTicket=0 &&
            check "$kind $up-up: text on every page, none on empty cells" expect "$kind-$up-every" $C $R every
        # shellcheck disable=SC2086
        print "$kind-$up-first" "$D3" -o number-up=$up $TEXT_MARK -o $P.WMARKOnlyFirstTicket=1 &&
            check "$kind $up-up: text on the first page only" expect "$kind-$up-first" $C $R first
        # shellcheck disable=SC2086
        print "$kind-$up-over" "$D3" -o number-up=$up $IMAGE_MARK -o $P.WMARKOptionsTicket=1 &&
            check "$kind $up-up: image over the page" expect "$kind-$up-over" $C $R over
        # shellcheck disable=SC2086
        print "$kind-$up-under" "$D3" -o number-up=$up $IMAGE_MARK -o $P.WMARKOptionsTicket=2 &&
            check "$kind $up-up: image under the page" expect "$kind-$up-under" $C $R under

        # 20 pages: past the 15 saves a printer allows, if each page kept one.
        D20="$T/doc20.$kind"
        # shellcheck disable=SC2086
        print "$kind-$up-long" "$D20" -o number-up=$up $TEXT_MARK -o $P.WMARKOnlyFirstTicket=0 &&
            check "$kind $up-up, 20 pages: text on every page" expect "$kind-$up-long" $C $R every &&
            print "$kind-$up-plain" "$D20" -o number-up=$up &&
            check "$kind $up-up, 20 pages: save level as without watermark" \
                test "$(save_level "$kind-$up-long")" = "$(save_level "$kind-$up-plain")"
    done
done

# Imposed PDF sheets: the first page's slot follows the job's layout and
# orientation (bottom right for btrl; bottom left for landscape).
# shellcheck disable=SC2086
print pdf-4-first-btrl "$T/doc3.pdf" -o number-up=4 -o number-up-layout=btrl $TEXT_MARK \
    -o $P.WMARKOnlyFirstTicket=1 &&
    check "pdf 4-up btrl: text in the first page's slot" expect pdf-4-first-btrl 2 2 first 3
# shellcheck disable=SC2086
print pdf-4-first-landscape "$T/doc3.pdf" -o number-up=4 -o orientation-requested=4 \
    $TEXT_MARK -o $P.WMARKOnlyFirstTicket=1 &&
    check "pdf 4-up landscape: text in the first page's slot" \
        expect pdf-4-first-landscape 2 2 first 2

# Pictures on landscape pages: pstops turns the page (in each cell at n-up),
# pdftopdf the pages of a PDF job; the picture stays in the middle of every
# page as on a 1-up page.
for kind in ps pdf; do
    for up in 1 2 4; do
        case $up in 1) C=1 R=1 ;; 2) C=1 R=2 ;; 4) C=2 R=2 ;; esac
        # shellcheck disable=SC2086
        print "$kind-$up-landscape" "$T/doc3.$kind" -o number-up=$up -o orientation-requested=4 \
            $IMAGE_MARK -o $P.WMARKOrientationTicket=2 -o $P.WMARKOptionsTicket=1 &&
            check "$kind $up-up landscape: image over the middle of each page" \
                expect "$kind-$up-landscape" $C $R over
    done
done
# Text likewise, on PDF jobs whose pages pstops does not turn.
for up in 1 2 4; do
    case $up in 1) C=1 R=1 ;; 2) C=1 R=2 ;; 4) C=2 R=2 ;; esac
    # shellcheck disable=SC2086
    print "pdf-$up-landscape-text" "$T/doc3.pdf" -o number-up=$up -o orientation-requested=4 \
        $TEXT_MARK -o $P.WMARKOrientationTicket=2 -o $P.WMARKOnlyFirstTicket=0 &&
        check "pdf $up-up landscape: text in the middle of each page" \
            expect "pdf-$up-landscape-text" $C $R middle
done

# 6 and 9 up, 20 pages: last sheets with 2 pages in 6 cells and slots, 2 in 9.
for kind in ps pdf; do
    for up in 6 9; do
        case $up in 6) C=2 R=3 ;; 9) C=3 R=3 ;; esac
        # shellcheck disable=SC2086
        print "$kind-$up-every" "$T/doc20.$kind" -o number-up=$up $TEXT_MARK \
            -o $P.WMARKOnlyFirstTicket=0 &&
            check "$kind $up-up: text on every page, none on empty cells" \
                expect "$kind-$up-every" $C $R every
    done
done

# 16 up, 20 pages: a full sheet and one with 4 pages in 16 slots, filled
# from the bottom right upwards for btrl.
# shellcheck disable=SC2086
print pdf-16-every "$T/doc20.pdf" -o number-up=16 -o number-up-layout=btrl $TEXT_MARK \
    -o $P.WMARKOnlyFirstTicket=0 &&
    check "pdf 16-up btrl: text on every page, none on the 12 empty slots" \
        expect pdf-16-every 4 4 every
# shellcheck disable=SC2086
print pdf-16-first "$T/doc20.pdf" -o number-up=16 -o number-up-layout=btrl $TEXT_MARK \
    -o $P.WMARKOnlyFirstTicket=1 &&
    check "pdf 16-up btrl: text in the first page's slot" expect pdf-16-first 4 4 first 15

summary
