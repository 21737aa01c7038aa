# Shell helpers shared by the demo, the integration test and the benchmark.
# Source it; POSIX sh.

# Prints TEXT in the escaped ticket string form ("/" and the decimal value of
# every byte). The dialog writes values that start with "/" this way, so file
# paths always travel so.
ticket_escaped() {
    printf %s "$1" | od -An -v -tu1 | tr -s ' \n' '  ' |
        awk '{ for (i = 1; i <= NF; i++) printf "/%s", $i }'
}

# Prints the "name=value" lines of an options file (comments and blank lines
# dropped), one a line.
options_lines() {
    grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$1"
}

# Joins "name=value" lines from stdin into one CUPS option string as argv[5]
# carries it: blanks, quotes and backslashes in values are backslash-escaped.
options_string() {
    sed -e 's/[\\ '"'"'"]/\\&/g' | awk 'NR > 1 { printf " " } { printf "%s", $0 }'
}

# Prints the PostScript part of a printer stream FILE (the bytes after the
# "@PJL ENTER LANGUAGE=POSTSCRIPT" line, without the closing Control-D).
postscript_part() {
    _off=$(grep -a -b -m1 -x '@PJL ENTER LANGUAGE=POSTSCRIPT' "$1" | cut -d: -f1)
    [ -n "$_off" ] || return 1
    _start=$((_off + 31))
    _size=$(wc -c < "$1")
    _len=$((_size - _start))
    if ends_with_ctrl_d "$1"; then _len=$((_len - 1)); fi
    tail -c +"$((_start + 1))" "$1" | head -c "$_len"
}

# True when FILE ends with Control-D, the end of a printer stream.
ends_with_ctrl_d() {
    [ "$(tail -c 1 "$1" | od -An -tx1 | tr -d ' \n')" = 04 ]
}

# One job as the demos make it: the headless print dialog plays SCRIPT on the
# sample PPD (with its own preferences under OUT/NAME-prefs), then the filter
# turns the job options the dialog reported into the printer stream. Writes
# OUT/NAME-dialog.json, OUT/NAME-dialog.log, OUT/NAME-job.options and
# OUT/NAME-job.prn; SPOOL is the spool directory both sides use. Further
# arguments go to printdialog. ROOT is the source tree.
# Usage: demo_dialog_job BUILD OUT NAME SCRIPT SPOOL [printdialog args...]
demo_dialog_job() {
    _build=$1 _out=$2 _name=$3 _script=$4 _spool=$5
    shift 5
    rm -rf "$_out/$_name-prefs"
    mkdir -p "$_out/$_name-prefs" "$_spool"
    env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR="$_build/plugins" KESTRANE_SPOOL_DIR="$_spool" \
        KESTRANE_PREFS_USER_ROOT="$_out/$_name-prefs" KESTRANE_PREFS_SYSTEM_ROOT="$_out/$_name-prefs" \
        "$_build/bin/printdialog" --ppd "$ROOT/ppd/Kestrane-MFP.ppd" --printer Kestrane_MFP \
        --dry-run --emit json --script "$_script" "$@" \
        > "$_out/$_name-dialog.json" 2> "$_out/$_name-dialog.log"
    # The "jobOptions" object of the report, one "name=value" a line.
    sed -n '/"jobOptions": {/,/}/p' "$_out/$_name-dialog.json" |
        sed -n 's/^ *"\([^"]*\)": "\(.*\)",\{0,1\}$/\1=\2/p' > "$_out/$_name-job.options"
    KESTRANE_SPOOL_DIR="$_spool" "$_build/bin/jobfilter" 1 alice "Quarterly report" 1 \
        "$(options_string < "$_out/$_name-job.options")" "$ROOT/samples/sample-job.ps" \
        > "$_out/$_name-job.prn"
}
