#!/bin/bash
# Installs what building and testing Tesselo need on a Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-x86-64-posix
    googletest
    wine wine64 fonts-wine
    fonts-ipafont-gothic
    xvfb xauth x11-apps imagemagick
    locales
    msitools wixl
)
locales=(en_US.UTF-8 ja_JP.UTF-8)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes the ANSI code page from the locale; the tests run under both.
generate=0
for locale in "${locales[@]}"; do
    short=$(echo "$locale" | sed 's/UTF-8/utf8/')
    if ! locale -a | grep -qx "$short"; then
        as_root sed -i "s/^# *\($locale UTF-8\)/\1/" /etc/locale.gen
        grep -qx "$locale UTF-8" /etc/locale.gen || echo "$locale UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        generate=1
    fi
done
if [ $generate -eq 1 ]; then
    as_root locale-gen
fi
