#!/bin/bash
# Renders each dialog and the progress window under Xvfb at 96 and 144 dots
# per inch, in English in code page 1252 and in Japanese in code page 932
# with Japanese sample paths (the files ending in -ja): the failed-entries
# dialog of the program in UTF-8 with names from several scripts
# (errors-unicode, English), the command menu with a run to undo (menu-undo,
# English), the preview of a run of each grouping and of one with failures
# (preview-each, -name, -all, -fail), and at 96 dots per inch the menu, the
# options, the name dialog, the failed entries, the progress window and the
# preview with failures once more after a move to a monitor of 144
# (menu-changed-96, menu-changed-ja-96 and so on). Saves the screenshots as
# PNG files in docs/screenshots, and copies the 96-dpi ones into Help/ and,
# in Japanese, into Help/ja/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSELO_BUILD_DIR:-$root/build}"
out="$root/docs/screenshots"
display="${TESSELO_SCREENSHOT_DISPLAY:-:96}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel "$(nproc)" --target dialog_preview dialog_preview_utf8
mkdir -p "$out"

export DISPLAY="$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

# Wine takes the ANSI code page from the locale, and sets up a prefix's fonts
# for the locale it is made in: each locale gets prefixes of its own.
for variant in en_US.UTF-8: ja_JP.UTF-8:-ja; do
    export LC_ALL="${variant%%:*}"
    suffix="${variant#*:}"
    for dpi in 96 144; do
        export WINEPREFIX="$build/screenshots/prefix$suffix-$dpi"
        mkdir -p "$WINEPREFIX"
        wineboot </dev/null >/dev/null 2>&1
        hex=$(printf '0x%x' "$dpi")
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null 2>&1
        wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null 2>&1
        # No window manager runs on Xvfb: Wine draws the window frames itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -k || true
        # The program in UTF-8 lists names from several scripts.
        shots="menu:dialog_preview options:dialog_preview name:dialog_preview errors:dialog_preview progress:dialog_preview"
        for preview in each name all fail; do
            shots="$shots preview-$preview:dialog_preview"
        done
        [ -z "$suffix" ] && shots="$shots menu-undo:dialog_preview errors-unicode:dialog_preview_utf8"
        # Moved from a monitor of 96 dots per inch to one of 144.
        if [ "$dpi" = 96 ]; then
            for dialog in menu options name errors progress preview-fail; do
                shots="$shots $dialog-changed:dialog_preview"
            done
        fi
        for shot in $shots; do
            dialog="${shot%%:*}"
            preview_exe="${shot#*:}"
            name="$dialog$suffix-$dpi"
            rect="$build/screenshots/$name.rect"
            rm -f "$rect"
            wine "$build/tools/$preview_exe.exe" "${dialog%-unicode}" "$(winepath -w "$rect")" </dev/null >/dev/null 2>&1 &
            preview=$!
            for _ in $(seq 200); do
                [ -s "$rect" ] && break
                sleep 0.1
            done
            read -r x y w h <"$rect"
            import -display "$display" -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
            wait $preview || true
            echo "$out/$name.png"
        done
        wineserver -k || true
    done
done

# The offline help shows the 96-dpi shots, each help those of its language.
mkdir -p "$root/Help/ja"
for suffix in "" -ja; do
    help="$root/Help${suffix:+/${suffix#-}}"
    for dialog in menu options name errors progress; do
        cp "$out/$dialog$suffix-96.png" "$help/$dialog.png"
    done
    cp "$out/preview-fail$suffix-96.png" "$help/preview.png"
done
