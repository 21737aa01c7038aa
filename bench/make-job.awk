# Writes a PostScript job as the filter receives it from pstops: prolog
# defining the page procedures, setup with feature code, then pages of text
# lines, a filled box and a small inline image, each wrapped in bp/ep, until
# the job holds at least `mib` MiB.
#   awk -v mib=256 -f make-job.awk > job.ps
BEGIN {
    limit = mib * 1048576
    out = 0
    emit("%!PS-Adobe-3.0")
    emit("%%Title: throughput job")
    emit("%%Creator: filter-throughput")
    emit("%%Pages: (atend)")
    emit("%%BoundingBox: (atend)")
    emit("%%EndComments")
    emit("%%BeginProlog")
    emit("/pgsave 0 def")
    emit("/bp { /pgsave save store } bind def")
    emit("/ep { pgsave restore showpage } bind def")
    emit("/F { findfont exch scalefont setfont } bind def")
    emit("/L { moveto show } bind def")
    emit("/Box { 4 dict begin /h exch def /w exch def /y exch def /x exch def")
    emit("  newpath x y moveto w 0 rlineto 0 h rlineto w neg 0 rlineto closepath end } bind def")
    emit("%%EndProlog")
    emit("%%BeginSetup")
    emit("[{")
    emit("%%BeginFeature: *PageSize A4")
    emit("<</PageSize[595 842]/ImagingBBox null>>setpagedevice")
    emit("%%EndFeature")
    emit("} stopped cleartomark")
    emit("%%EndSetup")
    hex = ""
    for (i = 0; i < 39; i++) hex = hex sprintf("%02X", (i * 37) % 256)
    page = 0
    while (out < limit) {
        page++
        emit("%%Page: " page " " page)
        emit("%%BeginPageSetup")
        emit("%%PageBoundingBox: 0 0 595 842")
        emit("%%EndPageSetup")
        emit("bp")
        emit("0.15 0.25 0.55 setrgbcolor 56 760 483 40 Box fill")
        emit("1 setgray 22 /Helvetica-Bold F (Report section " page ") 68 772 L")
        emit("0 setgray 10 /Helvetica F")
        y = 730
        for (l = 1; l <= 40; l++) {
            emit("(Line " l " of page " page ": quarterly figures, regional totals and notes 0123456789.) 68 " y " L")
            y -= 16
        }
        emit("gsave 400 80 translate 120 60 scale")
        emit("13 5 8 [13 0 0 -5 0 5] currentfile /ASCIIHexDecode filter false 3 colorimage")
        for (r = 0; r < 5; r++) emit(hex)
        emit(">")
        emit("grestore")
        emit("ep")
        emit("%%PageTrailer")
    }
    emit("%%Trailer")
    emit("%%Pages: " page)
    emit("%%EOF")
}
function emit(s) { print s; out += length(s) + 1 }
