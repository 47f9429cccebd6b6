#!/bin/bash
# Builds the installer of this version, and the released 2.1.0 package from
# its source in tests/installer-2.1.0, and drives them silently with msiexec
# in the test prefix: an install of 2.1.0, checked file by file, shortcut by
# shortcut, in Apps and in what it registers for Explorer; the installed
# program run as its Send To shortcut runs it; the upgrade to this version,
# which keeps Settings.ini and replaces 2.1.0's command by the Tesselo menu;
# the uninstall, which leaves nothing behind; and an install beside a
# portable copy, which stays as it was.
# Wine's shell ignores DropTarget verbs and cascading menus, so what Explorer
# would show is checked only as far as the registry holds it.
# Usage: check-installer.sh BUILD_DIR WINEPREFIX READ_SHORTCUT VERSION
set -euo pipefail
build="$1"
export WINEPREFIX="$2"
read_shortcut="$3"
version="$4"
root="$(cd "$(dirname "$0")/.." && pwd)"
# No Mono or Gecko, and no menu entries on the host for the Start menu shortcut.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

fail() {
    printf '%s\n' "$@"
    exit 1
}
win() { echo "Z:$1" | tr / '\\'; }
unix() { local path="${1#C:\\}"; echo "$WINEPREFIX/drive_c/${path//\\//}"; }
shortcut() { wine "$read_shortcut" "$1" | tr -d '\r'; }
# The values of a registry key, name=value, sorted; nothing when there is no key.
values() {
    { wine reg query "$1" 2>/dev/null || true; } | tr -d '\r' |
        sed -n 's/^    \(.*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p' | sort
}
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
# What Apps lists of a product: its entry, where Wine keeps it (Windows keeps
# a per-user product's under Installer\UserData), and its icon.
apps_entry() { values "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"; }
product_icon() {
    { wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null || true; } | tr -d '\r' |
        sed -n "s/^    ProductIcon    REG_SZ    \(.*$1.*\)$/\1/p"
}

publisher="$(sed -n 's/.*Copyright (C) [0-9]* \(.*\)\. All rights reserved\..*/\1/p' "$root/app/App_version.h.in")"
folders="$(values 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders')"
folder() { sed -n "s/^$1=//p" <<<"$folders"; }
installed="$(folder 'Local AppData')\\Programs\\Tesselo"
links=("$(folder SendTo)\\Tesselo.lnk" "$(folder Programs)\\Tesselo.lnk")
desktop="$(unix "$(folder Desktop)")"
work="$build/installer-check"
portable="$WINEPREFIX/drive_c/Portable Tesselo"
made=("$desktop/installer check $$" "$desktop/installer check $$ folder")
again="$desktop/installer check $$ (2)"
# What the installs register for Explorer: the drop targets' classes, App
# Paths, 2.1.0's one command on files and folders, and the Tesselo menu that
# replaces it.
clsids=('{AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}' '{0AD49EF4-A0D4-40D5-8D36-1AB859BC2F38}'
    '{E14CBCC7-DA38-43C7-BF9D-051A8FEBFFE7}')
classes=()
for each in "${clsids[@]}"; do classes+=("HKCU\\Software\\Classes\\CLSID\\$each"); done
app_paths='HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\Tesselo.exe'
old_verb='HKCU\Software\Classes\AllFilesystemObjects\shell\Tesselo.CreateDirectories'
menu='HKCU\Software\Classes\AllFilesystemObjects\shell\Tesselo'
verbs=("$menu\\ExtendedSubCommandsKey\\Shell\\"{1.CreateDirectories,2.MoveEach,3.MoveAll})
# The values of each key, under its name.
registered() {
    local key
    for key in "$@"; do
        echo "[$key]"
        values "$key"
    done
}

# Also what a run that stopped half-way left behind, with its packages.
clean_up() {
    for msi in "$work"/*/Tesselo-*-x64.msi; do
        [ ! -f "$msi" ] || wine msiexec /x "$(win "$msi")" /qn || true
    done
    rm -rf "${made[@]}" "$again" "$portable" "$(unix "$installed")"
}
clean_up
rm -rf "$work"
trap clean_up EXIT
(cd "$build" && cpack -G External -C Release -R 2.1.0 -B "$work/old" \
    -D "CPACK_TESSELO_INSTALLER_DIR=$root/tests/installer-2.1.0" \
    -D "CPACK_EXTERNAL_PACKAGE_SCRIPT=$root/tests/installer-2.1.0/msi.cmake" >/dev/null)
(cd "$build" && cpack -G External -C Release -R "$version" -B "$work/new" >/dev/null)
old="$work/old/Tesselo-2.1.0-x64.msi"
new="$work/new/Tesselo-$version-x64.msi"
codes=("$(product_code "$old")" "$(product_code "$new")")
[ "${codes[0]}" != "${codes[1]}" ] || fail "Both packages have the same ProductCode"

# Tesselo.exe, the help and the files named; both shortcuts start the exe in
# its folder without arguments; Apps shows the product of the package, with
# its icon (kept in $icon for expect_removed), and no other; the drop target's
# class and App Paths.
expect_installed() {
    local version="$1" code="$2"
    shift 2
    local expected actual
    # 2.1.0's help was one folder, without the Japanese help below it.
    local depth=()
    [ "$version" = 2.1.0 ] && depth=(-maxdepth 1)
    expected="$( (echo Tesselo.exe; cd "$root" && find Help "${depth[@]}" -type f; for name in "$@"; do echo "$name"; done) | sort)"
    actual="$(cd "$(unix "$installed")" && find . -type f | sed 's#^\./##' | sort)"
    [ "$actual" = "$expected" ] || fail "Installed:" "$actual" "Expected:" "$expected"
    for link in "${links[@]}"; do
        actual="$(shortcut "$link")" || fail "No shortcut $link"
        expected="$(printf 'Target=%s\nArguments=\nWorkingDirectory=%s' "$installed\\Tesselo.exe" "$installed\\")"
        [ "$actual" = "$expected" ] || fail "$link:" "$actual" "Expected:" "$expected"
    done
    actual="$(apps_entry "$code" | sed -n -E '/^(DisplayName|DisplayVersion|Publisher|HelpLink)=/p')"
    expected="DisplayName=Tesselo
DisplayVersion=$version
HelpLink=$installed\\Help\\index.html
Publisher=$publisher"
    [ "$actual" = "$expected" ] || fail "Apps:" "$actual" "Expected:" "$expected"
    actual="$(registered "${classes[0]}" "${classes[0]}\\LocalServer32" "$app_paths")"
    expected="[${classes[0]}]
(Default)=Tesselo
[${classes[0]}\\LocalServer32]
(Default)=\"$installed\\Tesselo.exe\"
[$app_paths]
(Default)=$installed\\Tesselo.exe
DropTarget=${clsids[0]}"
    [ "$actual" = "$expected" ] || fail "Registered for Explorer:" "$actual" "Expected:" "$expected"
    icon="$(product_icon "$code")"
    cmp "$(unix "$icon")" "$root/app/icon/Tesselo.ico" || fail "Apps shows another icon"
    for other in "${codes[@]}"; do
        [ "$other" = "$code" ] || [ -z "$(apps_entry "$other")" ] || fail "Apps still lists $other"
    done
}

# 2.1.0's command, and no menu.
expect_old_command() {
    local actual expected
    actual="$(registered "$old_verb" "$old_verb\\DropTarget")"
    expected="[$old_verb]
(Default)=Create directories &with Tesselo
Icon=$installed\\Tesselo.exe,0
MultiSelectModel=Player
[$old_verb\\DropTarget]
CLSID=${clsids[0]}"
    [ "$actual" = "$expected" ] || fail "2.1.0's command:" "$actual" "Expected:" "$expected"
    ! wine reg query "$menu" >/dev/null 2>&1 || fail "2.1.0 has the menu"
}

# The menu, whose own key has no default value, its verbs and their classes;
# 2.1.0's command gone.
expect_menu() {
    local actual expected
    actual="$(registered "$menu" "${verbs[0]}" "${verbs[0]}\\DropTarget" "${verbs[1]}" "${verbs[1]}\\DropTarget" \
        "${verbs[2]}" "${verbs[2]}\\DropTarget" "${classes[1]}" "${classes[1]}\\LocalServer32" \
        "${classes[2]}" "${classes[2]}\\LocalServer32")"
    expected="[$menu]
Icon=$installed\\Tesselo.exe,0
MUIVerb=Tesselo
[${verbs[0]}]
MUIVerb=@$installed\\Tesselo.exe,-800
MultiSelectModel=Player
[${verbs[0]}\\DropTarget]
CLSID=${clsids[0]}
[${verbs[1]}]
MUIVerb=@$installed\\Tesselo.exe,-801
MultiSelectModel=Player
[${verbs[1]}\\DropTarget]
CLSID=${clsids[1]}
[${verbs[2]}]
MUIVerb=@$installed\\Tesselo.exe,-802
MultiSelectModel=Player
[${verbs[2]}\\DropTarget]
CLSID=${clsids[2]}
[${classes[1]}]
(Default)=Tesselo
[${classes[1]}\\LocalServer32]
(Default)=\"$installed\\Tesselo.exe\" /MoveEach
[${classes[2]}]
(Default)=Tesselo
[${classes[2]}\\LocalServer32]
(Default)=\"$installed\\Tesselo.exe\" /MoveAll"
    [ "$actual" = "$expected" ] || fail "The menu:" "$actual" "Expected:" "$expected"
    ! wine reg query "$old_verb" >/dev/null 2>&1 || fail "2.1.0's command is left"
}

expect_removed() {
    [ ! -e "$(unix "$installed")" ] || fail "The uninstall left $installed:" "$(cd "$(unix "$installed")" && find .)"
    for link in "${links[@]}"; do
        [ ! -e "$(unix "$link")" ] || fail "The uninstall left $link"
    done
    for code in "${codes[@]}"; do
        [ -z "$(apps_entry "$code")$(product_icon "$code")" ] || fail "The uninstall left $code in Apps"
    done
    for key in 'HKCU\Software\Tesselo' "${classes[@]}" "$app_paths" "$old_verb" "$menu"; do
        ! wine reg query "$key" >/dev/null 2>&1 || fail "The uninstall left $key"
    done
    [ ! -e "$(dirname "$(unix "$icon")")" ] || fail "The uninstall left the icon of Apps"
}

wine msiexec /i "$(win "$old")" /qn || fail "The install of 2.1.0 failed"
expect_installed 2.1.0 "${codes[0]}"
expect_old_command

# Explorer starts the shortcut's target in its working directory with the
# paths sent as arguments.
mkdir -p "$work/sources/installer check $$ folder"
echo text >"$work/sources/installer check $$.txt"
sent="$(shortcut "${links[0]}")"
(cd "$(unix "$(sed -n 's/^WorkingDirectory=//p' <<<"$sent")")" &&
    wine "$(sed -n 's/^Target=//p' <<<"$sent")" "$(win "$work/sources/installer check $$.txt")" \
        "$(win "$work/sources/installer check $$ folder")") || fail "The run from Send To failed"
for directory in "${made[@]}"; do
    [ -d "$directory" ] || fail "The run from Send To did not make $directory"
done
settings="$(unix "$installed")/Settings.ini"
grep -qFx "CurrentDirectory=\"$installed\"" <(tr -d '\r' <"$settings") ||
    fail "Settings.ini beside the installed exe does not hold the folder it started in"
cp "$settings" "$work/Settings.ini"

wine msiexec /i "$(win "$new")" /qn || fail "The upgrade failed"
# The old package holds this build's program too: the run kept its record in Runs.
expect_installed "$version" "${codes[1]}" "$(cd "$(unix "$installed")" && ls Runs/*.txt)" Settings.ini
expect_menu
cmp "$settings" "$work/Settings.ini" || fail "The upgrade changed Settings.ini"
# A second run, a second record, which the uninstall takes too.
(cd "$(unix "$installed")" && wine Tesselo.exe "$(win "$work/sources/installer check $$.txt")") ||
    fail "The run of the upgraded program failed"
[ -d "$again" ] && [ "$(ls "$(unix "$installed")/Runs" | wc -l)" = 2 ] ||
    fail "The upgraded program made nothing, or kept no second record in Runs"

wine msiexec /x "$(win "$new")" /qn || fail "The uninstall failed"
expect_removed

mkdir -p "$portable"
cp -r "$work/new/_CPack_Packages/win64/External/Tesselo-$version-win64/." "$portable"
echo "[System]" >"$portable/Settings.ini"
before="$(cd "$portable" && find . -type f -exec sha256sum {} + | sort)"
wine msiexec /i "$(win "$new")" /qn || fail "The install beside a portable copy failed"
expect_installed "$version" "${codes[1]}"
expect_menu
wine msiexec /x "$(win "$new")" /qn || fail "The uninstall beside a portable copy failed"
expect_removed
[ "$(cd "$portable" && find . -type f -exec sha256sum {} + | sort)" = "$before" ] ||
    fail "Installing and removing Tesselo changed the portable copy"
