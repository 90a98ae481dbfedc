#!/usr/bin/env bash
# Checks every tracked C++ file against the repository's .clang-format, changing nothing.
# Usage: check_format.sh SOURCE_DIR. Exits 77 (skipped) outside a git checkout.
set -euo pipefail
cd "$1"
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "skipped: not a git checkout, so no list of tracked files"
    exit 77
fi
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc')
if "${CLANG_FORMAT:-clang-format}" --dry-run --Werror "${files[@]}"; then
    echo "${#files[@]} files formatted as .clang-format says"
else
    echo "Format the files above with: clang-format -i FILE" >&2
    exit 1
fi
