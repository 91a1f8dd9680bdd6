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

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

# Some machines carry a Node.js that bundles npm; only ask Debian when npm is absent.
command -v npm >/dev/null 2>&1 || missing="$missing nodejs npm"

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# The pixel font and the icons come from npm, pinned by package-lock.json.
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
