#!/bin/sh
# Measures the running program as a user would run it: the real build/bin/purlo on a
# private Xvfb display with a profile of its own (onboarding done, everything else as it
# comes), the cat awake and animating. Over a minute it samples the program's resident
# memory (/proc/PID/status) and the processor time it used (/proc/PID/stat), then says
# whether both are within the budget: under 1.5 % of one core, under 45 MiB resident.
# Usage: bench/measure-running.sh [build folder]; PURLO_MEASURE_SECONDS changes the minute.
set -eu
build="${1:-build}"
seconds="${PURLO_MEASURE_SECONDS:-60}"
program="$build/bin/purlo"
cpu_budget_percent=1.5
memory_budget_kib=$((45 * 1024))

[ -x "$program" ] || { echo "No program at $program: build first."; exit 2; }
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: nothing measured."; exit 2; }

profile=$(mktemp -d)
xvfb_pid=""
purlo_pid=""
finish() {
    [ -n "$purlo_pid" ] && kill "$purlo_pid" 2>/dev/null && wait "$purlo_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$profile"
}
trap finish EXIT INT TERM

. "$(dirname "$0")/../scripts/private-xvfb.sh"
start_private_xvfb 120 || { echo "Xvfb did not start: nothing measured."; exit 2; }

mkdir -p "$profile/home" "$profile/config/Purlo" "$profile/data" "$profile/runtime"
chmod 700 "$profile/runtime"
printf '{"schemaVersion":1,"settings":{"hasCompletedFirstRunOnboarding":true}}' \
    > "$profile/config/Purlo/purlo.settings.v1"

env -i PATH="$PATH" DISPLAY=":${display_number}" HOME="$profile/home" \
    XDG_CONFIG_HOME="$profile/config" XDG_DATA_HOME="$profile/data" \
    XDG_RUNTIME_DIR="$profile/runtime" "$program" &
purlo_pid=$!

# Processor time in clock ticks, user and system: fields 14 and 15 after the name,
# which is in parentheses and may hold spaces.
cpu_ticks() { sed 's/^.*) //' "/proc/$purlo_pid/stat" | awk '{ print $12 + $13 }'; }
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$purlo_pid/status"; }

# Let start-up settle before counting.
sleep 3
kill -0 "$purlo_pid" 2>/dev/null || { echo "The program did not keep running."; exit 1; }
ticks_per_second=$(getconf CLK_TCK)
start_ticks=$(cpu_ticks)
start_time=$(date +%s.%N)
highest_kib=0
first_kib=$(resident_kib)
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
    sleep 1
    elapsed=$((elapsed + 1))
    kib=$(resident_kib)
    [ "$kib" -gt "$highest_kib" ] && highest_kib=$kib
done
end_ticks=$(cpu_ticks)
end_time=$(date +%s.%N)
last_kib=$(resident_kib)

awk -v ticks="$((end_ticks - start_ticks))" -v hz="$ticks_per_second" \
    -v start="$start_time" -v end="$end_time" -v first="$first_kib" -v last="$last_kib" \
    -v highest="$highest_kib" -v cpu_budget="$cpu_budget_percent" \
    -v memory_budget="$memory_budget_kib" '
BEGIN {
    wall = end - start
    cpu = 100 * ticks / hz / wall
    cpu_ok = cpu < cpu_budget
    memory_ok = highest < memory_budget
    printf "Purlo running for %.1f s, the cat animating:\n", wall
    printf "  processor: %.2f %% of one core (budget %.1f %%): %s\n", cpu, cpu_budget,
           cpu_ok ? "within" : "OVER"
    printf "  resident memory: %.1f MiB at most, %.1f MiB at the start, %.1f MiB at the end " \
           "(budget %.0f MiB): %s\n", highest / 1024, first / 1024, last / 1024,
           memory_budget / 1024, memory_ok ? "within" : "OVER"
    exit (cpu_ok && memory_ok) ? 0 : 1
}'
