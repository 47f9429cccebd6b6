#!/bin/bash
# Keeps the offline help true to the program. Fails when Help/index.html
# - quotes a caption (<q class="caption">) that is no caption of a dialog,
# - explains a message (<q class="message">) that the program does not have,
# - names a settings key (<code class="key">) that the settings code does not use,
# - refers to a file that is not in Help/, or to anything remote, or has a script.
# A caption matches a whole string in dialogs/ (or the folder browser's title,
# or a value the installer writes) with the access-key '&' removed,
# split where a list holds several items (\n) or a menu item its shortcut (\t).
# A message matches a whole string in the program's sources; <var>…</var> stands
# for text the program fills in ("%s", "%d" or a joined string), and the parts
# around it must each occur in one string.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
help="$root/Help"
page="$help/index.html"
status=0
fail() {
    echo "Help/index.html: $*"
    status=1
}

# The contents of the C++ string literals of the given files, one per line,
# with the escapes \" and \\ undone; comments and character literals left out.
literals() {
    sed -E "s#(^|[[:space:]])//.*##; s/'\\\\?.'//g" "$@" \
        | grep -oE '"([^"\\]|\\.)*"' | sed -E 's/^"//; s/"$//; s/\\"/"/g; s/\\\\/\\/g'
}

# The text of every element that opens with $1, one per line, entities undone.
quoted() {
    tr '\n' ' ' <"$page" | grep -oP "$1\K.*?(?=</(q|code)>)" | sort -u \
        | sed 's/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&nbsp;/ /g; s/&amp;/\&/g'
}

# The command on Explorer's menu is named by the installer, so the values its
# .wxs writes count as captions too (with XML's &amp; undone).
captions="$( (literals "$root"/dialogs/*.cpp "$root"/support/Kro_shellfiles.cpp
    grep -oP '\bValue="\K[^"]*' "$root/installer/Tesselo.wxs" | sed 's/&amp;/\&/g') |
    tr -d '&' | sed 's/\\[nt]/\n/g')"
messages="$(literals "$root"/{app,core,support,toolkit,dialogs}/*.{cpp,h})"
keys="$(literals "$root"/app/*.cpp)"

while IFS= read -r caption; do
    grep -Fxq -- "$caption" <<<"$captions" || fail "caption not in the dialogs: $caption"
done < <(quoted '<q class="caption">')

while IFS= read -r message; do
    if [[ "$message" != *"<var>"* ]]; then
        grep -Fxq -- "$message" <<<"$messages" || fail "message not in the program: $message"
        continue
    fi
    while IFS= read -r part; do
        [ -z "$part" ] || grep -Fq -- "$part" <<<"$messages" || fail "message not in the program: $message"
    done < <(sed 's#<var>[^<]*</var>#\n#g' <<<"$message")
done < <(quoted '<q class="message">')

while IFS= read -r key; do
    grep -Fxq -- "$key" <<<"$keys" || fail "settings key not in the program: $key"
done < <(quoted '<code class="key">')

grep -qi '<script' "$page" && fail "holds a script"
while IFS= read -r target; do
    case "$target" in
    *://* | //*) fail "refers to a remote resource: $target" ;;
    '#'*) ;;
    *) [ -f "$help/${target%%#*}" ] || fail "refers to a missing file: $target" ;;
    esac
done < <(grep -oiE '(src|href)="[^"]*"' "$page" | sed -E 's/^[^"]*"//; s/"$//')
grep -qiE 'url\(|@import' "$help/style.css" && echo "Help/style.css: loads another resource" && status=1

exit $status
