#!/bin/sh
# Fails when a tracked C++ file differs from what clang-format would make of it.
set -eu
clang_format="${1:-clang-format}"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
"$clang_format" --dry-run --Werror $files
