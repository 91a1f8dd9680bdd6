#!/bin/sh
# Runs every test. The X11 tests get a private Xvfb display of their own (never
# the user's), announced to them in PURLO_TEST_DISPLAY; without Xvfb they skip.
set -u
build="${1:-build}"

xvfb_pid=""
stop_xvfb() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; true; }
trap stop_xvfb EXIT INT TERM

if command -v Xvfb >/dev/null 2>&1; then
    display_number=91
    while [ -e "/tmp/.X${display_number}-lock" ] || [ -e "/tmp/.X11-unix/X${display_number}" ]; do
        display_number=$((display_number + 1))
    done
    Xvfb ":${display_number}" -screen 0 1440x900x24 -nolisten tcp +extension XInputExtension \
        +extension MIT-SCREEN-SAVER +extension XTEST >/dev/null 2>&1 &
    xvfb_pid=$!
    tries=0
    while [ ! -e "/tmp/.X11-unix/X${display_number}" ] && [ "$tries" -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    if [ -e "/tmp/.X11-unix/X${display_number}" ]; then
        export PURLO_TEST_DISPLAY=":${display_number}"
    else
        echo "Xvfb did not start: the X11 tests will skip."
    fi
else
    echo "Xvfb is not installed: the X11 tests will skip."
fi

ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
