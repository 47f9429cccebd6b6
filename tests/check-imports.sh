#!/bin/bash
# Fails when a Windows executable imports a DLL that Windows itself does not
# ship: everything else must be linked in statically.
set -euo pipefail
objdump="$1"
shift
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comctl32|comdlg32|advapi32|shlwapi|uxtheme|msvcrt)\.dll$'
status=0
for exe in "$@"; do
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "$exe imports $dll, which is not a Windows system DLL"
            status=1
        fi
    done < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
exit $status
