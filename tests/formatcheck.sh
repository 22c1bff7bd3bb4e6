#!/bin/bash
# Checks that every C++ source outside the test folders is laid out as .clang-format says, or
# with --fix lays them out.
# Usage: formatcheck.sh [--fix] SOURCEDIR
set -euo pipefail
fix=0
if [ "${1:-}" = --fix ]; then fix=1; shift; fi
cd "$1"
if ! command -v clang-format >/dev/null; then
    echo "clang-format is not installed: the layout is not checked" >&2
    exit 77
fi
mapfile -d '' files < <(find formatter platform preprocessor editortools fuzz bench \
    -type f \( -name '*.cpp' -o -name '*.h' \) -not -path '*/tests/*' -print0 | sort -z)
if [ "$fix" = 1 ]; then
    clang-format -i "${files[@]}"
elif ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
    echo "these files are not laid out as .clang-format says; run make format:" >&2
    for f in "${files[@]}"; do
        clang-format --dry-run --Werror "$f" 2>/dev/null || echo "  $f" >&2
    done
    exit 1
fi
