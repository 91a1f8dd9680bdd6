#!/bin/sh
# Measures the running program as a user would run it: the real build/bin/purlo on a
# private Xvfb display, each time with a profile of its own, beside a bare Qt window
# (bench/ReferenceWindow.cpp: 256 x 256, 250 rectangles, 24 frames a second) that runs
# through the whole measurement. Absolute figures on a shared machine move with its
# load; the program's processor share divided by the reference's over the same window
# does not, so each goal is such a ratio.
#
# Cases, each over one window of PURLO_MEASURE_SECONDS (60) after start-up settled:
#   awake, idle          onboarded, she sits still, nobody touches anything (12 frames/s)
#   typing and pointer   keys and pointer moves synthesized through XTest (24 frames/s)
#   napping              a nap without end (4 frames/s)
#   hidden               hidden from the tray's popover; the tick goes on, no frames
# Start-up: the time from launch to the first picture sent to a window (bench/FirstPaint),
# the median of five launches of each, taken in turns.
# Memory: a new user's run that goes through onboarding, opens the popover and then the
# Settings window (a second start of the program opens it) and closes both, then
# PURLO_MEMORY_SECONDS (600) of typing and pointer moves; resident memory must stay under
# the goal and end within a mebibyte of where it stood after the windows.
#
# Usage: bench/measure-running.sh [build folder]. Exits 1 when a figure passes its goal,
# 2 when nothing could be measured.
set -eu
build="${1:-build}"
seconds="${PURLO_MEASURE_SECONDS:-60}"
memory_seconds="${PURLO_MEMORY_SECONDS:-600}"
bin="$build/bin"

# The goals, as ratios to the reference window's processor share. Awake she draws half
# the reference's frames, so half its cost is her share; typing and pointer moves bring
# her to the reference's frame rate with a tick and a key listener on top, still below
# it; napping draws a sixth of its frames; hidden she draws nothing, which should cost
# about what the classic X11 cats cost that merely follow the pointer.
awake_goal=0.5
active_goal=0.8
napping_goal=0.25
hidden_goal=0.1
# Her panel, her runtime and her settings may cost half again the bare window's start.
start_goal=1.5
# A little above the bare Qt window's 25 MiB: she is a small program on top of Qt.
memory_goal_kib=$((30 * 1024))
# Flat: what ten minutes of typing and pointing may add at most.
memory_growth_kib=1024

for tool in purlo purlo_reference_window purlo_first_paint; do
    [ -x "$bin/$tool" ] || { echo "No $tool in $bin: build first."; exit 2; }
done
for tool in Xvfb xdotool xwininfo trayer; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: nothing measured."; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
background=""
# Everything started here goes, whatever ended the measurement: a process already gone
# or one that dies of the signal is no reason to leave the others behind.
finish() {
    set +e
    for pid in $background; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

. "$(dirname "$0")/../scripts/private-xvfb.sh"
start_private_xvfb 120 || { echo "Xvfb did not start: nothing measured."; exit 2; }
export DISPLAY=":${display_number}"

# A profile of its own under $work/NAME with the given settings (JSON), or none at all.
make_profile() {
    mkdir -p "$work/$1/home" "$work/$1/config/Purlo" "$work/$1/data" "$work/$1/runtime"
    chmod 700 "$work/$1/runtime"
    [ -z "$2" ] || printf '{"schemaVersion":1,"settings":%s}' "$2" \
        > "$work/$1/config/Purlo/purlo.settings.v1"
}
# The program as its user starts it, in the profile named, with nothing else inherited.
purlo_command() {
    echo env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$work/$1/home" \
        XDG_CONFIG_HOME="$work/$1/config" XDG_DATA_HOME="$work/$1/data" \
        XDG_RUNTIME_DIR="$work/$1/runtime" "$bin/purlo"
}
start_background() {
    "$@" >>"$work/output.txt" 2>&1 &
    background="$background $!"
    last_pid=$!
}
stop_background() {
    kill "$1" 2>/dev/null && wait "$1" 2>/dev/null || true
}
# Processor time of every thread of a process, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# The geometry "WIDTHxHEIGHT+X+Y" of the first shown top-level window whose line matches.
window_geometry() {
    xwininfo -root -children | awk -v pattern="$1" '$0 ~ pattern {
        for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$/) { print $i; exit } }'
}
# Whether the first top-level window whose line matches is mapped.
window_shown() {
    id=$(xwininfo -root -children | awk -v pattern="$1" '$0 ~ pattern { print $1; exit }')
    [ -n "$id" ] && xwininfo -id "$id" | grep -q 'IsViewable'
}
await_window() {
    tries=0
    while [ -z "$(window_geometry "$1")" ] && [ "$tries" -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    [ -n "$(window_geometry "$1")" ]
}
click_at() { xdotool mousemove "$1" "$2" click 1; }
# The centre of a geometry, as "X Y".
centre_of() { echo "$1" | awk -F'[x+]' '{ print $3 + int($1 / 2), $4 + int($2 / 2) }'; }
# Someone at work: ten keys a second and the pointer circling far from the cat, for the
# given seconds, through XTest, ten seconds to each xdotool. Run in the background; ending
# it ends the xdotool at work too.
busy_user() {
    trap 'kill "$typist" 2>/dev/null; exit 0' TERM
    chunk=0
    while [ "$chunk" -lt "$1" ]; do
        # shellcheck disable=SC2046 # the commands are split into their words on purpose
        xdotool $(awk -v from="$chunk" 'BEGIN {
            for (step = from * 20; step < (from + 10) * 20; step++) {
                angle = step / 20.0
                printf "mousemove %d %d ", 900 + 150 * cos(angle), 250 + 150 * sin(angle)
                if (step % 2 == 0) printf "key x "
                printf "sleep 0.05 "
            }
        }') &
        typist=$!
        wait "$typist"
        chunk=$((chunk + 10))
    done
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

settled='"hasCompletedFirstRunOnboarding":true,"companionMovementMode":"stayPut"'
start_background trayer --edge top --align right --widthtype request --height 28 --SetDockType true

# Start-up, before anything else runs beside it.
make_profile start "{$settled}"
reference_starts=""
purlo_starts=""
for round in 1 2 3 4 5; do
    reference_starts="$reference_starts $("$bin/purlo_first_paint" "$bin/purlo_reference_window")"
    # shellcheck disable=SC2046 # the command is split into its words on purpose
    purlo_starts="$purlo_starts $("$bin/purlo_first_paint" $(purlo_command start))"
done
reference_start=$(echo "$reference_starts" | tr ' ' '\n' | grep . | median)
purlo_start=$(echo "$purlo_starts" | tr ' ' '\n' | grep . | median)

start_background "$bin/purlo_reference_window"
reference_pid=$last_pid
failed=0
report=""

# measure PROFILE SETTINGS GOAL [PREPARE] LABEL: one case, reported as a line of the table.
measure() {
    make_profile "$1" "$2"
    # shellcheck disable=SC2046
    start_background $(purlo_command "$1")
    purlo_pid=$last_pid
    sleep 3
    driver=""
    case "$4" in
    hide)
        tray=$(window_geometry '"trayer"\)')
        # shellcheck disable=SC2046
        click_at $(centre_of "$tray")
        await_window '286x' || true
        xdotool key ctrl+h
        sleep 0.5
        xdotool key Escape
        sleep 1
        if window_shown '160x204'; then
            echo "She could not be hidden from the popover."
            exit 1
        fi
        ;;
    busy)
        busy_user $((seconds + 5)) &
        driver=$!
        sleep 1
        ;;
    esac
    kill -0 "$purlo_pid" 2>/dev/null || { echo "The program did not keep running ($1):"; cat "$work/output.txt"; exit 1; }
    purlo_before=$(cpu_ns "$purlo_pid")
    reference_before=$(cpu_ns "$reference_pid")
    started=$(date +%s.%N)
    sleep "$seconds"
    purlo_after=$(cpu_ns "$purlo_pid")
    reference_after=$(cpu_ns "$reference_pid")
    ended=$(date +%s.%N)
    resident=$(resident_kib "$purlo_pid")
    [ -z "$driver" ] || stop_background "$driver"
    stop_background "$purlo_pid"
    line=$(awk -v name="$5" -v p="$((purlo_after - purlo_before))" \
        -v r="$((reference_after - reference_before))" -v start="$started" -v end="$ended" \
        -v goal="$3" -v kib="$resident" 'BEGIN {
        wall = (end - start) * 1e9
        ratio = p / r
        printf "  %-22s %7.3f %%  %7.3f %%  %6.3f  %5.2f  %6.1f MiB  %s\n", name, 100 * p / wall,
               100 * r / wall, ratio, goal, kib / 1024, ratio <= goal ? "within" : "OVER"
    }')
    report="$report$line
"
    case "$line" in *OVER) failed=1 ;; esac
}

measure awake "{$settled}" "$awake_goal" "" "awake, idle"
measure busy "{$settled}" "$active_goal" busy "typing and pointer"
measure napping "{$settled,\"nap\":{\"until\":2000000000}}" "$napping_goal" "" "napping"
measure hidden "{$settled}" "$hidden_goal" hide "hidden"

# Memory: a new user's first run.
make_profile memory ""
# shellcheck disable=SC2046
start_background $(purlo_command memory)
purlo_pid=$last_pid
if await_window '600x760'; then
    # shellcheck disable=SC2046
    set -- $(window_geometry '600x760' | awk -F'[x+]' '{ print $3 + 562, $4 + 722 }')
    for slide in 1 2 3; do
        click_at "$1" "$2"
        sleep 1
    done
else
    echo "Onboarding never showed."
    failed=1
fi
tray=$(window_geometry '"trayer"\)')
# shellcheck disable=SC2046
click_at $(centre_of "$tray")
await_window '286x' || { echo "The popover never opened."; failed=1; }
sleep 1
xdotool key Escape
sleep 1
# shellcheck disable=SC2046
$(purlo_command memory) >/dev/null 2>&1
if await_window '760x620'; then
    sleep 1
    xdotool windowfocus "$(xwininfo -root -children | awk '/760x620/ { print $1; exit }')"
    xdotool key ctrl+w
    sleep 1
    if window_shown '760x620'; then
        echo "The Settings window did not close."
        failed=1
    fi
else
    echo "The Settings window never opened."
    failed=1
fi
sleep 2
after_windows=$(resident_kib "$purlo_pid")
highest=$after_windows
busy_user "$memory_seconds" &
driver=$!
elapsed=0
while [ "$elapsed" -lt "$memory_seconds" ]; do
    sleep 5
    elapsed=$((elapsed + 5))
    kib=$(resident_kib "$purlo_pid")
    [ "$kib" -gt "$highest" ] && highest=$kib
done
stop_background "$driver"
at_end=$(resident_kib "$purlo_pid")
stop_background "$purlo_pid"

echo "Purlo beside a bare Qt window on a private display, ${seconds} s a case:"
echo "  case                     Purlo      reference   ratio   goal   resident"
printf "%s" "$report"
awk -v p="$purlo_start" -v r="$reference_start" -v goal="$start_goal" 'BEGIN {
    printf "  %-22s %7.1f ms %7.1f ms  %6.3f  %5.2f  %s\n", "start to first picture", p, r,
           p / r, goal, p / r <= goal ? "within" : "OVER"
    exit p / r <= goal ? 0 : 1
}' || failed=1
awk -v after="$after_windows" -v highest="$highest" -v end="$at_end" -v seconds="$memory_seconds" \
    -v goal="$memory_goal_kib" -v growth="$memory_growth_kib" 'BEGIN {
    ok = highest < goal && end - after <= growth
    printf "  resident memory after onboarding, the popover and Settings: %.1f MiB; over %d s of typing " \
           "and pointing at most %.1f MiB, at the end %.1f MiB (goal under %.0f MiB, growing at " \
           "most %.0f MiB): %s\n", after / 1024, seconds, highest / 1024, end / 1024, goal / 1024,
           growth / 1024, ok ? "within" : "OVER"
    exit ok ? 0 : 1
}' || failed=1
exit "$failed"
