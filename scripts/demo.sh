#!/bin/sh
# Runs the filter on the bundled sample job; see README.md.
set -eu
BUILD="${1:-build}"
echo "demo: nothing to show yet"
