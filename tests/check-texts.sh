#!/bin/bash
# Every sentence that the program's sources hold (a string literal that
# begins with a capital letter and ends with a full stop, a colon or a
# question mark) is an English text of app/App_texts.rc, so that it has its
# Japanese: a message raised in English is shown in the interface language
# through that table.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/tests/texts.sh"
english="$(table LANG_ENGLISH)"
status=0
while IFS= read -r sentence; do
    grep -Fxq -- "$sentence" <<<"$english" || { echo "no text in App_texts.rc: $sentence"; status=1; }
done < <(literals "$root"/{app,core,support,toolkit,dialogs}/*.{cpp,h} | grep -E '^[A-Z][^ ]* .*[.:?]$' | sort -u)
exit $status
