#!/bin/bash
# Every sentence that the program's sources hold (a string literal that
# begins with a capital letter and ends with a full stop, a colon or a
# question mark) is an English text of app/App_texts.rc, so that it has its
# Japanese: a message raised in English is shown in the interface language
# through that table.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
english="$(awk '/^LANGUAGE /{on = index($0, "LANG_ENGLISH") > 0} on && /^ *IDS_/' "$root/app/App_texts.rc" \
    | sed -E 's/^ *IDS_[A-Z_0-9]+ "//; s/"$//; s/""/"/g')"
status=0
while IFS= read -r sentence; do
    grep -Fxq -- "$sentence" <<<"$english" || { echo "no text in App_texts.rc: $sentence"; status=1; }
done < <(sed -E "s#(^|[[:space:]])//.*##; s/'\\\\?.'//g" "$root"/{app,core,support,toolkit,dialogs}/*.{cpp,h} \
    | grep -oE '"([^"\\]|\\.)*"' | sed -E 's/^"//; s/"$//; s/\\"/"/g; s/\\\\/\\/g' \
    | grep -E '^[A-Z][^ ]* .*[.:?]$' | sort -u)
exit $status
