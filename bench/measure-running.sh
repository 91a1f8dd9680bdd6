#!/bin/sh
# Measures the running program as a user would run it: the real build/bin/purlo on a
# private Xvfb display with a tray, each time with a profile of its own and otherwise
# the default settings, beside a plain Qt window (bench/ReferenceWindow.cpp) that runs
# through the whole measurement. Absolute figures on a shared machine move with its
# load; the program's processor share divided by the reference's over the same window
# does not, so each goal is such a ratio.
#
# Cases, each measured over PURLO_MEASURE_SECONDS (40) after start-up settled, in
# PURLO_MEASURE_ROUNDS (3) rounds whose order of cases turns by one each round; the
# median of the rounds counts:
#   awake, idle          onboarded, nobody touches anything (12 frames/s)
#   typing and pointer   keys and pointer moves synthesized through XTest (24 frames/s)
#   napping              a nap without end (4 frames/s)
#   hidden, app in front she hides while another application is in front, and one is
#   hidden by the user   hidden from the tray's popover; in both the tick goes on
# Processor time counts every thread, those that end within the window too; wake-ups are
# the context switches of all threads.
# Start-up: the time from launch to the first picture put into a window of the program's
# own (bench/FirstPaint), the median of PURLO_START_ROUNDS (5) launches of each, in turns.
# Memory: a new user's run that goes through onboarding, opens the popover, then the
# Settings window (a second start of the program opens it) and closes both, then
# PURLO_MEMORY_SECONDS (300) of typing and pointer moves; resident memory must stay under
# the goal and end within a mebibyte of where it stood after the windows.
#
# PURLO_MEASURE_QUICK=1 makes every one of those figures small, for a look while working;
# its figures are rough. PURLO_MEASURE_DISPLAY is the first display number tried (120).
#
# Usage: bench/measure-running.sh [build folder]. Exits 1 when a figure passes its goal,
# 2 when nothing could be measured.
set -eu
build="${1:-build}"
if [ -n "${PURLO_MEASURE_QUICK:-}" ]; then
    seconds="${PURLO_MEASURE_SECONDS:-10}"
    rounds="${PURLO_MEASURE_ROUNDS:-1}"
    memory_seconds="${PURLO_MEMORY_SECONDS:-20}"
    start_rounds="${PURLO_START_ROUNDS:-3}"
else
    seconds="${PURLO_MEASURE_SECONDS:-40}"
    rounds="${PURLO_MEASURE_ROUNDS:-3}"
    memory_seconds="${PURLO_MEMORY_SECONDS:-300}"
    start_rounds="${PURLO_START_ROUNDS:-5}"
fi
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
# Her panel, her runtime and her settings may cost half again the plain window's start.
start_goal=1.5
# A little above the plain Qt window's 25 MiB: she is a small program on top of Qt.
memory_goal_kib=$((30 * 1024))
# Flat: what the minutes of typing and pointing may add at most.
memory_growth_kib=1024

for tool in purlo purlo_reference_window purlo_first_paint purlo_active_window; do
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
start_private_xvfb "${PURLO_MEASURE_DISPLAY:-120}" || { echo "Xvfb did not start: nothing measured."; exit 2; }
export DISPLAY=":${display_number}"

# A profile of its own under $work/NAME with the given settings (JSON), or none at all.
make_profile() {
    rm -rf "${work:?}/$1"
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
# One line per thread of the process: the process, the sample's number, the thread, its
# processor time in nanoseconds and its context switches (each a wake-up or a preemption)
# so far. A thread that ends while it is read is left out.
thread_counts() {
    {
        grep -Hs . /proc/"$1"/task/*/schedstat
        grep -Hs ctxt_switches /proc/"$1"/task/*/status
    } | awk -F'[/:]' -v pid="$1" -v sample="$2" '
        $6 == "schedstat" { split($7, values, " "); ns[$5] = values[1] }
        $6 == "status" { switches[$5] += $8 }
        END { for (thread in ns) print pid, sample, thread, ns[thread], switches[thread] + 0 }'
}
# Reads the threads of the processes given once a second for the window's seconds, from
# its start to its end, into the file given.
follow_threads() {
    file=$1
    shift
    : >"$file"
    sample=0
    while :; do
        for process in "$@"; do
            thread_counts "$process" "$sample" >>"$file"
        done
        [ "$sample" -lt "$seconds" ] || break
        sleep 1
        sample=$((sample + 1))
    done
}
# What a process used over the window followed in the file: "NANOSECONDS SWITCHES", each
# thread's last reading less its first (none for a thread born in the window). A thread
# that ends within the window counts up to its last reading, about when it went idle; a
# sum over the threads alive at either end would take from the window all such a thread
# had used before it (Qt's pool threads end after 30 s idle, often in the window).
window_usage() {
    awk -v pid="$2" '
        $1 != pid { next }
        !($3 in last) { first[$3] = $2 == 0 ? $4 : 0; first_switches[$3] = $2 == 0 ? $5 : 0 }
        { last[$3] = $4; last_switches[$3] = $5 }
        END {
            for (thread in last) {
                ns += last[thread] - first[thread]
                switches += last_switches[thread] - first_switches[thread]
            }
            printf "%.0f %.0f\n", ns, switches
        }' "$1"
}
threads() { awk '/^Threads:/ { print $2 }' "/proc/$1/status"; }
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# The line of the first top-level window whose line matches (its id first).
window_line() { xwininfo -root -children | awk -v pattern="$1" '$0 ~ pattern { print; exit }'; }
# The geometry "WIDTHxHEIGHT+X+Y" of the first top-level window whose line matches.
window_geometry() {
    window_line "$1" | awk '{ for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$/) { print $i; exit } }'
}
window_id() { window_line "$1" | awk '{ print $1 }'; }
# Whether a top-level window whose line matches is mapped.
window_shown() {
    for id in $(xwininfo -root -children | awk -v pattern="$1" '$0 ~ pattern { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && return 0
    done
    return 1
}
# Waits up to five seconds for the condition given as a command to hold.
await() {
    tries=0
    until "$@"; do
        [ "$tries" -lt 50 ] || return 1
        sleep 0.1
        tries=$((tries + 1))
    done
}
window_exists() { [ -n "$(window_geometry "$1")" ]; }
window_hidden() { ! window_shown "$1"; }
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
median_of() { median <"$work/$1"; }

# The windows, by their size: the cat's (her panel and the room below it for her paws),
# the popover, onboarding, Settings.
cat_window='160x230'
popover_window='286x'
onboarding_window='600x760'
settings_window='760x620'
tray_window='"trayer"\)'

settled='"hasCompletedFirstRunOnboarding":true'
start_background trayer --edge top --align right --widthtype request --height 28 --SetDockType true
await window_exists "$tray_window" || { echo "The tray did not start: nothing measured."; exit 2; }

# Start-up, before anything else runs beside it.
make_profile start "{$settled}"
round=0
while [ "$round" -lt "$start_rounds" ]; do
    "$bin/purlo_first_paint" "$bin/purlo_reference_window" >>"$work/start.reference"
    # shellcheck disable=SC2046 # the command is split into its words on purpose
    "$bin/purlo_first_paint" $(purlo_command start) >>"$work/start.purlo"
    round=$((round + 1))
done

start_background "$bin/purlo_reference_window"
reference_pid=$last_pid
await window_exists 'purlo_reference_window' || { echo "The reference window never showed."; exit 2; }
reference_window=$(window_id 'purlo_reference_window')
failed=0

# Hides her through the popover's Hide, as the user does.
hide_from_popover() {
    # shellcheck disable=SC2046
    click_at $(centre_of "$(window_geometry "$tray_window")")
    await window_shown "$popover_window" || true
    xdotool key ctrl+h
    sleep 0.5
    xdotool key Escape
}
# Another application comes to the front: the reference window, as the window manager
# would say it.
bring_reference_to_front() {
    "$bin/purlo_active_window" "$reference_window"
}

# run_case CASE: one round of one case; appends the figures to $work/CASE.*.
run_case() {
    name=$1
    settings="{$settled}"
    case "$name" in
    napping) settings="{$settled,\"nap\":{\"until\":2000000000}}" ;;
    front) settings="{$settled,\"companionPresenceMode\":\"autoHideWhenAppsActive\"}" ;;
    esac
    make_profile "$name" "$settings"
    "$bin/purlo_active_window" 0
    # shellcheck disable=SC2046
    start_background $(purlo_command "$name")
    purlo_pid=$last_pid
    if ! await window_shown "$cat_window"; then
        echo "She never showed ($name):"
        cat "$work/output.txt"
        exit 1
    fi
    sleep 2
    driver=""
    case "$name" in
    hidden) hide_from_popover ;;
    front) bring_reference_to_front ;;
    busy)
        busy_user $((seconds + 5)) &
        driver=$!
        ;;
    esac
    case "$name" in
    hidden | front)
        if ! await window_hidden "$cat_window"; then
            echo "She did not hide ($name)."
            exit 1
        fi
        ;;
    esac
    sleep 1
    kill -0 "$purlo_pid" 2>/dev/null || { echo "The program did not keep running ($name):"; cat "$work/output.txt"; exit 1; }
    started=$(date +%s.%N)
    follow_threads "$work/$name.samples" "$purlo_pid" "$reference_pid"
    ended=$(date +%s.%N)
    # shellcheck disable=SC2046
    set -- $(window_usage "$work/$name.samples" "$purlo_pid") \
        $(window_usage "$work/$name.samples" "$reference_pid")
    threads "$purlo_pid" >>"$work/$name.threads"
    resident_kib "$purlo_pid" >>"$work/$name.resident"
    [ -z "$driver" ] || stop_background "$driver"
    stop_background "$purlo_pid"
    awk -v p="$1" -v s="$2" -v r="$3" -v start="$started" -v end="$ended" \
        -v out="$work/$name" 'BEGIN {
        wall = (end - start) * 1e9
        printf "%.4f\n", 100 * p / wall >>(out ".purlo")
        printf "%.4f\n", 100 * r / wall >>(out ".reference")
        printf "%.4f\n", p / r >>(out ".ratio")
        printf "%.1f\n", s / (wall / 1e9) >>(out ".wakeups")
    }'
}

cases="awake busy napping front hidden"
round=0
while [ "$round" -lt "$rounds" ]; do
    # The order turns by one each round, so no case always follows the same one.
    order=$(echo "$cases" | awk -v turn="$round" '{ for (i = 0; i < NF; i++) printf "%s ", $((i + turn) % NF + 1) }')
    for name in $order; do
        run_case "$name"
    done
    round=$((round + 1))
done
reference_threads=$(threads "$reference_pid")

# Memory: a new user's first run.
make_profile memory ""
# shellcheck disable=SC2046
start_background $(purlo_command memory)
purlo_pid=$last_pid
if await window_shown "$onboarding_window"; then
    sleep 1
    # shellcheck disable=SC2046
    set -- $(window_geometry "$onboarding_window" | awk -F'[x+]' '{ print $3 + 562, $4 + 722 }')
    for slide in 1 2 3; do
        click_at "$1" "$2"
        sleep 1
    done
    if window_shown "$onboarding_window"; then
        echo "Onboarding did not close."
        failed=1
    fi
else
    echo "Onboarding never showed."
    failed=1
fi
sleep 1
after_onboarding=$(resident_kib "$purlo_pid")
# shellcheck disable=SC2046
click_at $(centre_of "$(window_geometry "$tray_window")")
await window_shown "$popover_window" || { echo "The popover never opened."; failed=1; }
sleep 1
xdotool key Escape
await window_hidden "$popover_window" || { echo "The popover did not close."; failed=1; }
sleep 1
after_popover=$(resident_kib "$purlo_pid")
# shellcheck disable=SC2046
$(purlo_command memory) >/dev/null 2>&1
if await window_shown "$settings_window"; then
    sleep 1
    xdotool windowfocus "$(window_id "$settings_window")"
    xdotool key ctrl+w
    await window_hidden "$settings_window" || { echo "The Settings window did not close."; failed=1; }
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

echo "Purlo beside a plain Qt window on a private display, ${rounds} round(s) of ${seconds} s a case, medians:"
echo "  case                     Purlo      reference   ratio   goal   wake-ups/s  threads  resident"
# report CASE LABEL GOAL: one line of the table; fails the run when the ratio passes the goal.
report() {
    awk -v name="$2" -v goal="$3" -v p="$(median_of "$1.purlo")" -v r="$(median_of "$1.reference")" \
        -v ratio="$(median_of "$1.ratio")" -v w="$(median_of "$1.wakeups")" \
        -v t="$(median_of "$1.threads")" -v kib="$(median_of "$1.resident")" 'BEGIN {
        printf "  %-22s %7.3f %%  %7.3f %%  %6.3f  %5.2f  %8.1f  %7d  %6.1f MiB  %s\n", name, p, r,
               ratio, goal, w, t, kib / 1024, ratio <= goal ? "within" : "OVER"
        exit ratio <= goal ? 0 : 1
    }' || failed=1
}
report awake "awake, idle" "$awake_goal"
report busy "typing and pointer" "$active_goal"
report napping "napping" "$napping_goal"
report front "hidden, app in front" "$hidden_goal"
report hidden "hidden by the user" "$hidden_goal"
echo "  (the reference window: $reference_threads threads)"
awk -v p="$(median_of start.purlo)" -v r="$(median_of start.reference)" -v goal="$start_goal" 'BEGIN {
    printf "  %-22s %7.1f ms %7.1f ms  %6.3f  %5.2f  %s\n", "start to first picture", p, r,
           p / r, goal, p / r <= goal ? "within" : "OVER"
    exit p / r <= goal ? 0 : 1
}' || failed=1
awk -v onboarding="$after_onboarding" -v popover="$after_popover" -v after="$after_windows" \
    -v highest="$highest" -v end="$at_end" -v seconds="$memory_seconds" \
    -v goal="$memory_goal_kib" -v growth="$memory_growth_kib" 'BEGIN {
    ok = after < goal && highest < goal && end - after <= growth
    printf "  resident memory after onboarding %.1f MiB, after the popover %.1f MiB, after Settings " \
           "%.1f MiB; over %d s of typing and pointing at most %.1f MiB, at the end %.1f MiB " \
           "(goal under %.0f MiB, growing at most %.0f MiB): %s\n", onboarding / 1024,
           popover / 1024, after / 1024, seconds, highest / 1024, end / 1024, goal / 1024,
           growth / 1024, ok ? "within" : "OVER"
    exit ok ? 0 : 1
}' || failed=1
exit "$failed"
