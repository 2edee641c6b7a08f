#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ source of the repository is formatted as .clang-format says (Debian's
# clang-format). Fix with: clang-format -i FILE...
#   format_test.sh CLANG_FORMAT SOURCE_DIR
set -eu
tool=$1 src=$2
cd "$src"
command -v "$tool" > /dev/null 2>&1 || { echo "no clang-format ($tool): scripts/install-deps installs it"; exit 1; }
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
else
    files=$(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
[ -n "$files" ] || { echo "no sources found in $src"; exit 1; }
# shellcheck disable=SC2086 # one file name per word
if ! "$tool" --dry-run --Werror $files 2> "${TMPDIR:-/tmp}/format_test.$$"; then
    grep -o '^[^:]*:' "${TMPDIR:-/tmp}/format_test.$$" | sort -u | sed 's/:$/: not formatted/'
    rm -f "${TMPDIR:-/tmp}/format_test.$$"
    exit 1
fi
rm -f "${TMPDIR:-/tmp}/format_test.$$"
echo "$(echo "$files" | wc -w) files formatted"
