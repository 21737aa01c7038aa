#!/bin/sh
# Test stages beyond ctest, run by `make test` after it:
#   1. the libFuzzer targets (clang, ASan + UBSan) in build-fuzz/, about
#      FUZZ_SECONDS (default 60) in all, split over the targets;
#   2. the whole suite built with -DKESTRANE_SANITIZE=ON in build-asan/ and
#      its ctest (tests labelled "gui" left out unless ASAN_GUI=1).
# Usage: scripts/test-extra.sh [BUILD]  (BUILD is the main build; the two
# stages use their own build dirs beside it). SKIP_FUZZ=1 / SKIP_ASAN=1 skip a
# stage; JOBS sets the build parallelism (default: nproc).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
MAIN_BUILD="${1:-build}"
case "$MAIN_BUILD" in /*) ;; *) MAIN_BUILD="$ROOT/$MAIN_BUILD" ;; esac
PARENT=$(dirname "$MAIN_BUILD")
FUZZ_BUILD="$PARENT/build-fuzz"
ASAN_BUILD="$PARENT/build-asan"
JOBS="${JOBS:-$(nproc)}"
FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
# Leaks inside system libraries are not ours to fix (see lsan.supp).
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0}"

stage() { printf '\n=== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }

if [ -z "${SKIP_FUZZ:-}" ]; then
    stage "fuzzing"
    cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DKESTRANE_FUZZ=ON -DKESTRANE_DIALOG=OFF -DKESTRANE_TESTS=OFF >/dev/null
    cmake --build "$FUZZ_BUILD" -j "$JOBS"
    targets=$(cd "$FUZZ_BUILD/bin" && ls fuzz_* 2>/dev/null || true)
    [ -n "$targets" ] || { echo "no fuzz targets built" >&2; exit 1; }
    # The whole-stream target is slowest per run and reaches the most code:
    # it gets two shares of the time, the others one each.
    n=$(($(echo "$targets" | wc -w) + 1))
    share=$((FUZZ_SECONDS / n))
    [ "$share" -ge 5 ] || share=5
    for t in $targets; do
        each=$share
        [ "$t" = fuzz_stream ] && each=$((share * 2))
        corpus="$FUZZ_BUILD/corpus/$t"
        mkdir -p "$corpus"
        seeds="$ROOT/fuzz/seeds/$t"
        dict=""
        [ -f "$ROOT/fuzz/$t.dict" ] && dict="-dict=$ROOT/fuzz/$t.dict"
        flags=""
        [ -f "$ROOT/fuzz/$t.flags" ] && flags=$(cat "$ROOT/fuzz/$t.flags")
        echo "--- $t for ${each}s"
        # The corpus grows across runs in the build dir; the seeds are read only.
        # shellcheck disable=SC2086
        (cd "$FUZZ_BUILD" && "./bin/$t" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 $dict $flags "$corpus" $( [ -d "$seeds" ] && echo "$seeds") \
            2>"$FUZZ_BUILD/$t.log") || {
            tail -60 "$FUZZ_BUILD/$t.log"
            echo "fuzzing: $t found a fault; the input is in $FUZZ_BUILD" >&2
            exit 1
        }
        grep -E '^stat::number_of_executed_units|^Done' "$FUZZ_BUILD/$t.log" || true
    done
fi

if [ -z "${SKIP_ASAN:-}" ]; then
    stage "sanitizer build (ASan + UBSan)"
    cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DKESTRANE_SANITIZE=ON >/dev/null
    cmake --build "$ASAN_BUILD" -j "$JOBS"
    stage "sanitizer ctest"
    exclude=""
    [ -n "${ASAN_GUI:-}" ] || exclude="-LE gui"
    export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1}"
    export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
    # shellcheck disable=SC2086
    (cd "$ASAN_BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" $exclude)
fi
stage "extra stages done"
