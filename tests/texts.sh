# The program's texts as the checks read them; sourced, with root set to the
# checkout.

# The contents of the C++ string literals of the given files, one per line,
# with the escapes \" and \\ undone; comments and character literals left out.
literals() {
    sed -E "s#(^|[[:space:]])//.*##; s/'\\\\?.'//g" "$@" \
        | grep -oE '"([^"\\]|\\.)*"' | sed -E 's/^"//; s/"$//; s/\\"/"/g; s/\\\\/\\/g'
}

# The texts of one language's string table, one per line: $1 is LANG_ENGLISH
# or LANG_JAPANESE.
table() {
    awk -v language="$1" '/^LANGUAGE /{on = index($0, language) > 0} on && /^ *IDS_/' "$root/app/App_texts.rc" \
        | sed -E 's/^ *IDS_[A-Z_0-9]+ "//; s/"$//; s/""/"/g'
}
