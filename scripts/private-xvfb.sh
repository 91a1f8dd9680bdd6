# Sourced by the test and bench scripts: start_private_xvfb FIRST starts Xvfb on the first
# free display number from FIRST, sets display_number and xvfb_pid, and waits until the
# server is up (at most five seconds). It fails when the server did not come up.
start_private_xvfb() {
    display_number=$1
    while [ "$display_number" -lt $(($1 + 100)) ]; do
        while [ -e "/tmp/.X${display_number}-lock" ] || [ -e "/tmp/.X11-unix/X${display_number}" ]; do
            display_number=$((display_number + 1))
        done
        # -noreset: the server stays as it is when its last client leaves, instead of resetting
        # while the next test's program connects.
        Xvfb ":${display_number}" -screen 0 1440x900x24 -nolisten tcp -noreset \
            +extension XInputExtension +extension MIT-SCREEN-SAVER +extension XTEST >/dev/null 2>&1 &
        xvfb_pid=$!
        # Another server may take the number at the same moment, as a build beside this one
        # may. Its socket then passes for this one's, and two suites would share one display:
        # the number is ours only once its lock names this server. The other's lock means
        # another number; this one would give up only after seconds.
        tries=0
        until private_xvfb_is_up; do
            if ! kill -0 "$xvfb_pid" 2>/dev/null || private_xvfb_is_taken; then
                kill "$xvfb_pid" 2>/dev/null
                break
            fi
            if [ "$tries" -ge 50 ]; then
                kill "$xvfb_pid"
                return 1
            fi
            sleep 0.1
            tries=$((tries + 1))
        done
        private_xvfb_is_up && return 0
        display_number=$((display_number + 1))
    done
    return 1
}

# The process that the lock of the display names; nothing while there is no lock.
private_xvfb_holder() {
    tr -d ' \n' 2>/dev/null <"/tmp/.X${display_number}-lock"
}

private_xvfb_is_up() {
    [ -e "/tmp/.X11-unix/X${display_number}" ] && [ "$(private_xvfb_holder)" = "$xvfb_pid" ]
}

# Whether another server, still running, holds the display's lock.
private_xvfb_is_taken() {
    holder=$(private_xvfb_holder)
    [ -n "$holder" ] && [ "$holder" != "$xvfb_pid" ] && kill -0 "$holder" 2>/dev/null
}
