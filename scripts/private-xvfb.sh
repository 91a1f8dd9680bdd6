# Sourced by the test and bench scripts: start_private_xvfb FIRST starts Xvfb on the first
# free display number from FIRST, sets display_number and xvfb_pid, and waits until the
# server's socket is there (at most five seconds). It fails when the server did not come up.
start_private_xvfb() {
    display_number=$1
    while [ -e "/tmp/.X${display_number}-lock" ] || [ -e "/tmp/.X11-unix/X${display_number}" ]; do
        display_number=$((display_number + 1))
    done
    # -noreset: the server stays as it is when its last client leaves, instead of resetting
    # while the next test's program connects.
    Xvfb ":${display_number}" -screen 0 1440x900x24 -nolisten tcp -noreset \
        +extension XInputExtension +extension MIT-SCREEN-SAVER +extension XTEST >/dev/null 2>&1 &
    xvfb_pid=$!
    tries=0
    while [ ! -e "/tmp/.X11-unix/X${display_number}" ] && [ "$tries" -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    [ -e "/tmp/.X11-unix/X${display_number}" ]
}
