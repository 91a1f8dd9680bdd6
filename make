#!/bin/sh
# The README's two commands, "./make run" and "./make test", on a machine that has
# nothing but sh and apt-get: installs make when it is missing, then hands over to the
# Makefile, which installs everything else. Any other target of the Makefile works too.
set -eu
cd "$(dirname "$0")"
. scripts/debian-packages.sh
command -v make >/dev/null 2>&1 || install_missing_packages make
exec make "$@"
