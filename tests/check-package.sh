#!/bin/bash
# Builds the portable package and checks it: it holds Tesselo.exe and the help
# and nothing else, the exe carries no symbols, and unpacked into a folder
# whose path has blanks and double-byte characters it runs from there.
# Usage: check-package.sh BUILD_DIR OBJDUMP PROGRAM_TESTS VERSION
set -euo pipefail
build="$1"
objdump="$2"
program_tests="$3"
version="$4"
root="$(cd "$(dirname "$0")/.." && pwd)"

# A package of an earlier build must not stand in for this one's.
zip="$build/Tesselo-$version-win64.zip"
rm -f "$zip"
(cd "$build" && cpack -C Release >/dev/null)

expected=$( (echo Tesselo.exe; cd "$root" && find Help -type f) | sort)
actual=$(cd "$build" && cmake -E tar tf "$zip" | grep -v '/$' | sort)
if [ "$actual" != "$expected" ]; then
    echo "The package holds:"; echo "$actual"; echo "It should hold:"; echo "$expected"
    exit 1
fi

unpacked="$build/package-check/Tesselo 表ソ folder"
rm -rf "$build/package-check"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
if "$objdump" -h "$unpacked/Tesselo.exe" | grep -q '\.debug'; then
    echo "Tesselo.exe in the package carries debug information"
    exit 1
fi
if "$objdump" -t "$unpacked/Tesselo.exe" | grep -q '^\['; then
    echo "Tesselo.exe in the package carries a symbol table"
    exit 1
fi

# Under code page 932 the folder's name has a trail byte that is a backslash.
export LC_ALL=ja_JP.UTF-8 TESSELO_EXPECTED_ACP=932
export TESSELO_PROGRAM_DIR="Z:$(echo "$unpacked" | tr / '\\')"
"$build/wine-run.sh" "$program_tests" --gtest_filter='ProgramFolder.*' --gtest_color=no
