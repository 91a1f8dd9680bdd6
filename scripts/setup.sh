#!/bin/sh
# Installs what building and testing Purlo needs, and nothing that is already there.
# Safe to run again: each step checks before it acts.
set -eu

cd "$(dirname "$0")/.."

# The fonts cover every character of Purlo's own texts: DejaVu the letters and
# symbols, Noto Color Emoji the emoji ("nice work! ✨").
packages="
build-essential cmake pkg-config git
qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
nlohmann-json3-dev libicu-dev
libx11-dev libxi-dev libxss-dev libxtst-dev
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth xdotool xclip trayer openssl
fonts-dejavu-core fonts-noto-color-emoji clang-format
"

# Some machines carry a Node.js that bundles npm; only ask Debian when npm is absent.
command -v npm >/dev/null 2>&1 || packages="$packages nodejs npm"

. scripts/debian-packages.sh
# shellcheck disable=SC2086
install_missing_packages $packages

# The pixel font and the icons come from npm, pinned by package-lock.json.
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
