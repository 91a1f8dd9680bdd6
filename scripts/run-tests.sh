#!/bin/sh
# Runs every test. The X11 tests get a private Xvfb display of their own (never
# the user's), announced to them in PURLO_TEST_DISPLAY; without Xvfb they skip.
set -u
build="${1:-build}"
. "$(dirname "$0")/private-xvfb.sh"

xvfb_pid=""
stop_xvfb() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; true; }
trap stop_xvfb EXIT INT TERM

if command -v Xvfb >/dev/null 2>&1; then
    if start_private_xvfb 91; then
        export PURLO_TEST_DISPLAY=":${display_number}"
    else
        echo "Xvfb did not start: the X11 tests will skip."
    fi
else
    echo "Xvfb is not installed: the X11 tests will skip."
fi

ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
