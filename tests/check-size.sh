#!/bin/bash
# Fails when a stripped Windows executable is larger than the limit in bytes:
# a library pulled in by accident (the C++ streams and locales weigh about
# 700 KiB) shows here first.
set -euo pipefail
strip="$1"
limit="$2"
shift 2
stripped="$(mktemp)"
trap 'rm -f "$stripped"' EXIT
status=0
for exe in "$@"; do
    "$strip" -o "$stripped" "$exe"
    size=$(stat -c %s "$stripped")
    if [ "$size" -gt "$limit" ]; then
        echo "$exe is $size bytes stripped, more than $limit"
        status=1
    fi
done
exit $status
