#!/bin/bash
# Builds the installer as this version and as 2.0.0 and drives it silently
# with msiexec in the test prefix: an install, checked file by file, shortcut
# by shortcut, in Apps and in what it registers for Explorer; the installed
# program run as its Send To shortcut runs it; the upgrade from 2.0.0, which
# keeps Settings.ini; the uninstall, which leaves nothing behind; and an
# install beside a portable copy, which stays as it was.
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
clsid='{AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}'
verb='HKCU\Software\Classes\AllFilesystemObjects\shell\Tesselo.CreateDirectories'
# What the install registers for Explorer: the drop target's class, the
# command on files and folders, and App Paths.
explorer=("HKCU\\Software\\Classes\\CLSID\\$clsid" "$verb"
    'HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\Tesselo.exe')

# Also what a run that stopped half-way left behind, with its packages.
clean_up() {
    for msi in "$work"/*/Tesselo-*-x64.msi; do
        [ ! -f "$msi" ] || wine msiexec /x "$(win "$msi")" /qn || true
    done
    rm -rf "${made[@]}" "$portable" "$(unix "$installed")"
}
clean_up
rm -rf "$work"
trap clean_up EXIT
for each in 2.0.0 "$version"; do
    (cd "$build" && cpack -G External -C Release -R "$each" -B "$work/$each" >/dev/null)
done
old="$work/2.0.0/Tesselo-2.0.0-x64.msi"
new="$work/$version/Tesselo-$version-x64.msi"
codes=("$(product_code "$old")" "$(product_code "$new")")
[ "${codes[0]}" != "${codes[1]}" ] || fail "Both packages have the same ProductCode"

# Tesselo.exe, the help and the files named; both shortcuts start the exe in
# its folder without arguments; Apps shows the product of the package, with
# its icon (kept in $icon for expect_removed), and no other.
expect_installed() {
    local version="$1" code="$2"
    shift 2
    local expected actual
    expected="$( (echo Tesselo.exe; cd "$root" && find Help -type f; for name in "$@"; do echo "$name"; done) | sort)"
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
    actual="$(for key in "${explorer[@]}" "${explorer[0]}\\LocalServer32" "$verb\\DropTarget"; do values "$key"; done)"
    expected="(Default)=Tesselo
(Default)=Create directories &with Tesselo
Icon=$installed\\Tesselo.exe,0
MultiSelectModel=Player
(Default)=$installed\\Tesselo.exe
DropTarget=$clsid
(Default)=\"$installed\\Tesselo.exe\"
CLSID=$clsid"
    [ "$actual" = "$expected" ] || fail "Registered for Explorer:" "$actual" "Expected:" "$expected"
    icon="$(product_icon "$code")"
    cmp "$(unix "$icon")" "$root/app/icon/Tesselo.ico" || fail "Apps shows another icon"
    for other in "${codes[@]}"; do
        [ "$other" = "$code" ] || [ -z "$(apps_entry "$other")" ] || fail "Apps still lists $other"
    done
}

expect_removed() {
    [ ! -e "$(unix "$installed")" ] || fail "The uninstall left $installed"
    for link in "${links[@]}"; do
        [ ! -e "$(unix "$link")" ] || fail "The uninstall left $link"
    done
    for code in "${codes[@]}"; do
        [ -z "$(apps_entry "$code")$(product_icon "$code")" ] || fail "The uninstall left $code in Apps"
    done
    for key in 'HKCU\Software\Tesselo' "${explorer[@]}"; do
        ! wine reg query "$key" >/dev/null 2>&1 || fail "The uninstall left $key"
    done
    [ ! -e "$(dirname "$(unix "$icon")")" ] || fail "The uninstall left the icon of Apps"
}

wine msiexec /i "$(win "$old")" /qn || fail "The install of 2.0.0 failed"
expect_installed 2.0.0 "${codes[0]}"

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
expect_installed "$version" "${codes[1]}" LastRun.txt Settings.ini
cmp "$settings" "$work/Settings.ini" || fail "The upgrade changed Settings.ini"

wine msiexec /x "$(win "$new")" /qn || fail "The uninstall failed"
expect_removed

mkdir -p "$portable"
cp -r "$work/$version/_CPack_Packages/win64/External/Tesselo-$version-win64/." "$portable"
echo "[System]" >"$portable/Settings.ini"
before="$(cd "$portable" && find . -type f -exec sha256sum {} + | sort)"
wine msiexec /i "$(win "$new")" /qn || fail "The install beside a portable copy failed"
expect_installed "$version" "${codes[1]}"
wine msiexec /x "$(win "$new")" /qn || fail "The uninstall beside a portable copy failed"
expect_removed
[ "$(cd "$portable" && find . -type f -exec sha256sum {} + | sort)" = "$before" ] ||
    fail "Installing and removing Tesselo changed the portable copy"
