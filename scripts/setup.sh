#!/bin/sh
# Installs what building and running Purlo needs ("run") or that and what its tests and
# benchmarks need too ("test", the default), and nothing that is already there.
# Safe to run again: each step checks before it acts.
set -eu

cd "$(dirname "$0")/.."

# What building and running the program needs. The fonts cover every character of
# Purlo's own texts: DejaVu the letters and symbols, Noto Color Emoji the emoji
# ("nice work! ✨").
program_packages="
build-essential cmake pkg-config
qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
nlohmann-json3-dev libicu-dev
libx11-dev libxi-dev libxss-dev
fonts-dejavu-core fonts-noto-color-emoji
"

# What the tests and benchmarks need besides: their frameworks, a private X server with
# the tools that drive it and read its windows, a tray host, the buses a screen reader
# reads the program over, the clipboard reader, the certificate maker of the update
# tests, and the format and file-list checks. dbus-x11 is the session bus at-spi2-core
# asks for that brings no service manager with it: left to choose, apt takes the one that
# installs systemd.
test_packages="
libgtest-dev libgmock-dev libbenchmark-dev libxtst-dev
xvfb xauth xdotool x11-utils xclip trayer dbus-daemon dbus-x11 at-spi2-core openssl
clang-format git
"

# Without an argument: everything, as `make test` needs it.
case "${1:-test}" in
    run) packages="$program_packages" ;;
    test) packages="$program_packages $test_packages" ;;
    *)
        echo "usage: sh scripts/setup.sh [run|test]" >&2
        exit 2
        ;;
esac

# Some machines carry a Node.js that bundles npm; only ask Debian when npm is absent.
command -v npm >/dev/null 2>&1 || packages="$packages nodejs npm"

. scripts/debian-packages.sh
# shellcheck disable=SC2086
install_missing_packages $packages

# The pixel font and the icons come from npm, pinned by package-lock.json.
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
