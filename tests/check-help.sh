#!/bin/bash
# Keeps the offline help true to the program, in English (Help/index.html)
# and in Japanese (Help/ja/index.html). Fails when a page
# - quotes a caption (<q class="caption">) that is no caption of a dialog,
# - explains a message (<q class="message">) that the program does not have,
# - names a settings key (<code class="key">) that the settings code does not use,
# - refers to a file that is not in Help/, or to anything remote, or has a script,
# - or, in Japanese, lacks a section or a picture of the English page.
# Captions and messages are the texts of the page's language in
# app/App_texts.rc, and for English the program's own string literals too.
# A caption matches a whole text with its access key removed ("&" in English,
# "(&S)" in Japanese), split where a list holds several items (\n) or a menu
# item its shortcut (\t). A message matches a whole text; <var>…</var> stands
# for text the program fills in ("%s", "%d" or a joined string), and the parts
# around it must each occur in one text.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
help="$root/Help"
status=0
fail() {
    echo "${page#"$root/"}: $*"
    status=1
}

. "$root/tests/texts.sh"

# The text of every element that opens with $1, one per line, entities undone.
quoted() {
    tr '\n' ' ' <"$page" | grep -oP "$1\K.*?(?=</(q|code)>)" | sort -u \
        | sed 's/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&nbsp;/ /g; s/&amp;/\&/g'
}

keys="$(literals "$root"/app/*.cpp)"

# Checks one page against the captions and messages of its language.
check_page() {
    page="$1"
    local captions="$2" messages="$3"
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
        *) [ -f "$(dirname "$page")/${target%%#*}" ] || fail "refers to a missing file: $target" ;;
        esac
    done < <(grep -oiE '(src|href)="[^"]*"' "$page" | sed -E 's/^[^"]*"//; s/"$//')
}

# The command on Explorer's menu is named by the installer, so the values its
# .wxs writes count as captions too (with XML's &amp; undone).
english="$(table LANG_ENGLISH)"
check_page "$help/index.html" \
    "$( (literals "$root"/dialogs/*.cpp
        echo "$english"
        grep -oP '\bValue="\K[^"]*' "$root/installer/Tesselo.wxs" | sed 's/&amp;/\&/g') |
        tr -d '&' | sed 's/\\[nt]/\n/g')" \
    "$(literals "$root"/{app,core,support,toolkit,dialogs}/*.{cpp,h}; echo "$english")"

japanese="$(table LANG_JAPANESE)"
check_page "$help/ja/index.html" \
    "$( (literals "$root"/dialogs/*.cpp; echo "$japanese") | sed -E 's/\(&.\)//g' | tr -d '&' | sed 's/\\[nt]/\n/g')" \
    "$japanese"

# The Japanese page has every section and picture of the English one.
page="$help/ja/index.html"
for attribute in id src; do
    while IFS= read -r value; do
        grep -Fq "$attribute=\"$value\"" "$page" || fail "lacks $attribute=\"$value\" of the English page"
    done < <(grep -oP "\b$attribute=\"\K[^\"]*" "$help/index.html" | sort -u)
done
grep -qiE 'url\(|@import' "$help/style.css" && echo "Help/style.css: loads another resource" && status=1

exit $status
