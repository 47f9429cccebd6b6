#!/bin/bash
# Sets up the machine, builds Tesselo.exe and runs it under Wine, on an X
# display of its own unless DISPLAY is set.
#   run-example.sh           makes a sample folder, runs the program on it
#                            and prints what it created
#   run-example.sh PATH...   runs the program on these files and directories
#   run-example.sh --menu    starts the program without arguments: its command
#                            menu, from which "Show options" opens the options
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSELO_BUILD_DIR:-$root/build}"
example="$build/example"

"$root/scripts/setup.sh" >/dev/null
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target Tesselo >/dev/null

export WINEPREFIX="$example/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:94
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    sleep 1
fi
mkdir -p "$WINEPREFIX"
wineboot </dev/null >/dev/null 2>&1

# The program lives in a folder of its own, with its Settings.ini beside it.
program="$example/program"
output="$example/output"
mkdir -p "$program" "$output"
cp "$build/app/Tesselo.exe" "$program/"
cp -r "$root/Help" "$program/"
if [ ! -f "$program/Settings.ini" ]; then
    printf '[Options]\r\nOutputDirectory=3\r\nOtherOutputDirectory="%s"\r\n' "$(winepath -w "$output")" >"$program/Settings.ini"
fi

if [ "${1:-}" = "--menu" ]; then
    echo "Starting Tesselo without arguments: choose a command in its menu."
    wine "$program/Tesselo.exe"
    exit 0
fi

arguments=()
if [ $# -eq 0 ]; then
    samples="$example/samples"
    # A fresh example each time: the output folder is the example's own.
    rm -rf "$samples" "$output"
    mkdir -p "$output"
    mkdir -p "$samples/Photos.2024"
    echo "Quarterly figures" >"$samples/report.txt"
    echo "backup" >"$samples/archive.tar.gz"
    echo "notes" >"$samples/ notes .txt"
    mkdir -p "$output/report" # a name that is already taken
    for path in "$samples"/*; do
        arguments+=("$(winepath -w "$path")")
    done
    echo "Sources in $samples:"
    ls -1A "$samples" | sed 's/^/  "/; s/$/"/'
else
    for path in "$@"; do
        arguments+=("$(winepath -w "$(realpath "$path")")")
    done
fi

before=$(LC_ALL=C ls -1A "$output")
wine "$program/Tesselo.exe" "${arguments[@]}"
echo "Created in $output:"
LC_ALL=C comm -13 <(echo "$before") <(LC_ALL=C ls -1A "$output") | sed 's/^/  "/; s/$/"/'
