#!/bin/bash
# Times whole processes under one Wine: Tesselo.exe and the reference
# programs of tools/bench: a bare loop of CreateDirectoryA, and its twin
# that asks each directory made for its identity as the record does; the
# least program that does Tesselo's job; a bare GUI program that goes idle
# once, and its twin that starts as Tesselo does; a bare drop server. The
# rows: Tesselo and the loops on 1 to 1,000 sources, with free names and
# with every first name taken; one source started from inside Wine
# (Starter), beside the bare GUI programs; a drop of 3 sources on Tesselo and
# on the bare server, and the release of the target after a drop of 3,000
# (DropClient); 10,000 sources dropped on Tesselo, beside the loops given the
# same 10,000 in a list file; Tesselo alone on the same 500 names one and
# twelve folders deep. Prints Markdown tables of medians with their spread,
# the ratios the goals name, the load average before and after, and the
# size of the release exe.
# Not part of the tests.
#
# TESSELO_BUILD_DIR: the build tree (build/); TESSELO_BENCH_RUNS: runs of
# each case (5); TESSELO_BENCH_LARGE_RUNS: runs of each case of 3,000 and
# 10,000 (2); TESSELO_BENCH_TAKEN_RUNS: runs of the drops into a folder that
# holds their names (2).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSELO_BUILD_DIR:-$root/build}"
runs="${TESSELO_BENCH_RUNS:-5}"
large_runs="${TESSELO_BENCH_LARGE_RUNS:-2}"
# A drop of 10,000 into a folder that holds their names takes a minute, and
# one such drop moves by a tenth from run to run: two of each.
taken_runs="${TESSELO_BENCH_TAKEN_RUNS:-2}"
sizes=(1 10 100 1000)
depth_sources=500
drop_sources=10000
small_drop=3
release_drop=3000
depths=(1 12)

"$root/scripts/setup.sh" >&2
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target Tesselo BareLoop IdentityLoop LeastProgram BareGui ShellGui BareServer Starter DropClient Confirm hold_desktop >/dev/null

# The tests' Wine session: their X display, one prefix and one wineserver
# for every run, so that no run pays for starting Wine itself, and windows
# on a desktop that Wine manages (on an X server without a window manager
# Wine would wait two seconds for every shown window to be withdrawn).
DISPLAY="$(sed -n 's/^TESSELO_DISPLAY:STRING=//p' "$build/CMakeCache.txt")"
export DISPLAY LC_ALL=en_US.UTF-8
"$build/wine-session.sh" start "$build/tests/hold_desktop.exe"
trap '"$build/wine-session.sh" stop' EXIT

# C:\tb keeps the paths short: 1,000 of them make an 18,000-character
# command line.
work="$build/wineprefix/drive_c/tb"
# The folder of the sources that are the given number of folders deep: the
# rows by number of sources take theirs from C:\tb\s, the depth rows from C:\tb
# and from C:\tb\d02\...\d12. The drop takes its own from C:\tb\m.
folder() {
    case $1 in
    1) echo 'C:\tb' ;;
    2) echo 'C:\tb\s' ;;
    *) echo "C:\tb$(seq -f '\d%02g' 2 "$1" | tr -d '\n')" ;;
    esac
}
host_folder() {
    local windows
    windows=$(folder "$1")
    echo "$work${windows#C:\\tb}" | tr '\\' /
}
rm -rf "$work"
mkdir -p "$(host_folder 2)" "$work/bin"
(cd "$(host_folder 2)" && touch $(seq -f 'f%04g.txt' 1 1000))
for depth in "${depths[@]}"; do
    mkdir -p "$(host_folder "$depth")"
    (cd "$(host_folder "$depth")" && touch $(seq -f 'f%04g.txt' 1 "$depth_sources"))
done
mkdir "$work/m"
(cd "$work/m" && touch $(seq -f 'f%05g.txt' 1 "$drop_sources"))
# The same 10,000 for the two loops, one path a line.
seq -f 'C:\tb\m\f%05g.txt' 1 "$drop_sources" | sed 's/$/\r/' >"$work/m.txt"
for program in BareLoop IdentityLoop LeastProgram BareGui ShellGui BareServer Starter DropClient Confirm; do
    cp "$build/tools/bench/$program.exe" "$work/bin/"
done
# The exe as the user gets it.
x86_64-w64-mingw32-strip -o "$work/bin/Tesselo.exe" "$build/app/Tesselo.exe"
# The output folder C:\tb\o, made anew for each run.
empty_output() {
    rm -rf "$work/o"
    mkdir "$work/o"
}
# How many directories the run made there.
made_directories() {
    find "$work/o" -mindepth 1 -maxdepth 1 -type d | wc -l
}
# With "preview", the run shows its preview first.
settings() {
    local preview=''
    [ "${1:-}" = preview ] && preview='ShowPreview=1\r\n'
    printf "[Options]\r\nOutputDirectory=3\r\nOtherOutputDirectory=\"C:\\\\tb\\\\o\"\r\n$preview\r\n" >"$work/bin/Settings.ini"
}

mkdir -p "$build/bench"
results="$build/bench/times.txt"
: >"$results"
# Runs one program on the first n sources of the folder that many folders
# deep and records the time of its whole process; checks that it made what
# it should.
run() {
    local program=$1 n=$2 names=$3 depth=${4:-2}
    empty_output
    if [ "$names" = taken ]; then
        (cd "$work/o" && mkdir $(seq -f 'f%04g' 1 "$n"))
    fi
    local arguments=()
    case $program in
    Tesselo) settings ;;
    BareLoop | IdentityLoop | LeastProgram) arguments=('C:\tb\o') ;;
    esac
    local source_folder
    source_folder=$(folder "$depth")
    for i in $(seq -f '%04g' 1 "$n"); do
        arguments+=("$source_folder\\f$i.txt")
    done
    local start=$EPOCHREALTIME
    timeout 600 "$build/wine-run.sh" "C:\\tb\\bin\\$program.exe" "${arguments[@]}" </dev/null >/dev/null 2>&1 || echo "$program ended with an error" >&2
    local end=$EPOCHREALTIME
    local made
    made=$(made_directories)
    local expected=$n
    [ "$names" = taken ] && expected=$((2 * n))
    if [ "$program" != BareGui ] && [ "$made" -ne "$expected" ]; then
        echo "$program on $n sources ($names names) left $made directories instead of $expected" >&2
    fi
    awk -v p="$program" -v n="$n" -v c="$names" -v d="$depth" -v a="$start" -v b="$end" \
        'BEGIN { printf "%s %s %s %s %.1f\n", p, n, c, d, (b - a) * 1000 }' >>"$results"
}

# Drops the first n sources of C:\tb\m on a server, Tesselo or the bare
# one, and records the three times DropClient gives: from just before it
# creates the class to the end of the server (without the time it took to
# make the data object), the creation alone, and the release of the target.
# Checks that Tesselo made a directory for each.
# A drop of the first n sources of C:\tb\m on a server; the kind of run:
# "drop", "taken" into a folder that holds their names already, "preview"
# and "taken-preview" with the preview, whose OK Confirm presses as soon as
# it shows.
run_drop() {
    local n=$1 server=${2:-Tesselo} kind=${3:-drop}
    empty_output
    local expected=$n
    case $kind in
    taken | taken-preview)
        (cd "$work/o" && mkdir $(seq -f 'f%05g' 1 "$n"))
        expected=$((2 * n))
        ;;
    esac
    local confirm=
    case $kind in
    *preview)
        settings preview
        "$build/wine-run.sh" 'C:\tb\bin\Confirm.exe' </dev/null >/dev/null 2>&1 &
        confirm=$!
        ;;
    *) settings ;;
    esac
    local class=()
    [ "$server" = BareServer ] && class=('{B5A93A0B-DB0E-4E12-82AE-2E031BFB70BC}')
    local times
    times=$(timeout 600 "$build/wine-run.sh" 'C:\tb\bin\DropClient.exe' "C:\\tb\\bin\\$server.exe" 'C:\tb\m' "$n" "${class[@]}" \
        </dev/null 2>/dev/null | tr -d '\r') || echo "DropClient on $server ended with an error" >&2
    [ -n "$confirm" ] && { wait "$confirm" || echo "Confirm found no preview" >&2; }
    local made
    made=$(made_directories)
    if [ "$server" = Tesselo ] && [ "$made" -ne "$expected" ]; then
        echo "Tesselo on $n dropped sources ($kind) left $made directories instead of $expected" >&2
    fi
    if [ -n "$times" ]; then
        local total creation release
        read -r total creation release <<<"$times"
        echo "$server $n $kind 2 $total" >>"$results"
        # COM's part, and Explorer's wait, of the plain drops.
        if [ "$kind" = drop ]; then
            printf '%s %s create 2 %s\n%s %s release 2 %s\n' "$server" "$n" "$creation" "$server" "$n" "$release" >>"$results"
        fi
    fi
}

# One of the two loops on the 10,000 sources of C:\tb\m, from the list file.
run_list() {
    local program=$1
    empty_output
    local start=$EPOCHREALTIME
    timeout 600 "$build/wine-run.sh" "C:\\tb\\bin\\$program.exe" 'C:\tb\o' '@C:\tb\m.txt' </dev/null >/dev/null 2>&1 ||
        echo "$program ended with an error" >&2
    local end=$EPOCHREALTIME
    local made
    made=$(made_directories)
    if [ "$made" -ne "$drop_sources" ]; then
        echo "$program on the list of $drop_sources left $made directories instead of $drop_sources" >&2
    fi
    awk -v p="$program" -v n="$drop_sources" -v a="$start" -v b="$end" \
        'BEGIN { printf "%s %s list 2 %.1f\n", p, n, (b - a) * 1000 }' >>"$results"
}

# Tesselo on one source, or one of the bare GUI programs, started and
# awaited from inside Wine by Starter, which gives the time: Wine's loader started from
# Linux, the same for both, stays out of it.
run_started() {
    local program=$1
    empty_output
    settings
    local arguments=()
    [ "$program" = Tesselo ] && arguments=('C:\tb\s\f0001.txt')
    local milliseconds
    milliseconds=$(timeout 600 "$build/wine-run.sh" 'C:\tb\bin\Starter.exe' "C:\\tb\\bin\\$program.exe" "${arguments[@]}" \
        </dev/null 2>/dev/null | tr -d '\r') || echo "Starter on $program ended with an error" >&2
    if [ "$program" = Tesselo ] && [ ! -d "$work/o/f0001" ]; then
        echo "Tesselo started from inside Wine made nothing" >&2
    fi
    [ -n "$milliseconds" ] && echo "$program 1 started 2 $milliseconds" >>"$results"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
bench_start=$EPOCHREALTIME
# Not timed: the first run of each starts the desktop and fills the caches.
for program in BareLoop LeastProgram Tesselo BareGui; do
    run $program 1 free
done
for depth in "${depths[@]}"; do
    run Tesselo 1 free "$depth"
done
run_drop "$small_drop"
run_drop "$small_drop" BareServer
run_started Tesselo
run_started BareGui
run_started ShellGui
: >"$results"
# Interleaved, so that a busy moment of the machine does not fall on one
# program only.
for n in "${sizes[@]}"; do
    for names in free taken; do
        echo "Timing $n source(s), $names names, $runs runs" >&2
        for _ in $(seq "$runs"); do
            for program in BareLoop LeastProgram Tesselo; do
                run $program "$n" $names
            done
            if [ "$n" -eq 1000 ]; then
                run IdentityLoop "$n" $names
            fi
            if [ "$n" -eq 1 ] && [ $names = free ]; then
                run BareGui 1 free
                # Three of each: a start inside Wine takes one of two
                # levels, about 30 ms apart, so a median of few would fall
                # on either.
                for _ in 1 2 3; do
                    run_started Tesselo
                    run_started BareGui
                    run_started ShellGui
                done
                run_drop "$small_drop"
                run_drop "$small_drop" BareServer
            fi
        done
    done
done
echo "Timing $depth_sources sources ${depths[*]} folders deep, $runs runs" >&2
for _ in $(seq "$runs"); do
    for depth in "${depths[@]}"; do
        run Tesselo "$depth_sources" free "$depth"
    done
done
echo "Timing $release_drop and $drop_sources sources, $large_runs runs" >&2
for _ in $(seq "$large_runs"); do
    run_drop "$release_drop"
    run_drop "$drop_sources"
    run_drop "$drop_sources" Tesselo preview
    run_list LeastProgram
    run_list BareLoop
    run_list IdentityLoop
done
echo "Timing $drop_sources sources into a folder that holds their names, $taken_runs runs" >&2
for _ in $(seq "$taken_runs"); do
    run_drop "$drop_sources" Tesselo taken
    run_drop "$drop_sources" Tesselo taken-preview
done
bench_seconds=$(awk -v a="$bench_start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# Median, lowest and highest time in ms of one case: program, sources,
# names, folders deep (2 unless given).
stats() {
    awk -v p="$1" -v n="$2" -v c="$3" -v d="${4:-2}" '$1 == p && $2 == n && $3 == c && $4 == d { print $5 }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR) printf "%.0f %.0f %.0f\n", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
}
cell() {
    local m lo hi
    read -r m lo hi < <(stats "$@")
    echo "$m ($lo–$hi)"
}
median() {
    stats "$@" | cut -d' ' -f1
}
lowest() {
    stats "$@" | cut -d' ' -f2
}
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}
# Tesselo's time over a reference program's: of the medians, and of the
# lowest times, which a machine busy with other work disturbs least.
median_ratio() {
    ratio "$(median Tesselo "$2" "$3")" "$(median "$1" "$2" "$3")"
}
ratios() {
    echo "$(median_ratio "$@") (lowest times: $(ratio "$(lowest Tesselo "$2" "$3")" "$(lowest "$1" "$2" "$3")"))"
}

# A program's time over another's, in one case each: of the medians, and of
# the lowest times, which a machine busy with other work disturbs least.
case_ratios() {
    echo "$(ratio "$(median $1 $2 $3)" "$(median $4 $5 $6)") (lowest times: $(ratio "$(lowest $1 $2 $3)" "$(lowest $4 $5 $6)"))"
}

exe="$work/bin/Tesselo.exe"
size=$(stat -c %s "$exe")
echo "Tesselo benchmark, $(date -u '+%Y-%m-%d'), $(nproc) cores, $(wine --version 2>/dev/null), $runs runs of each case," \
    "$large_runs of each case of $release_drop or $drop_sources sources and $taken_runs of those into a folder that holds their names," \
    "$bench_seconds s timed"
echo
echo "Load average (1, 5, 15 minutes): $load_before before, $load_after after."
echo
echo "Whole-process time in ms under Wine: median (lowest–highest)."
echo
echo "| Sources | Names | Bare loop | Least program | Tesselo | Tesselo ÷ least | Tesselo ÷ bare loop |"
echo "|---:|---|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
    for names in free taken; do
        echo "| $n | $names | $(cell BareLoop "$n" $names) | $(cell LeastProgram "$n" $names) | $(cell Tesselo "$n" $names)" \
            "| $(median_ratio LeastProgram "$n" $names) | $(median_ratio BareLoop "$n" $names) |"
    done
done
echo
echo "Bare GUI program (starts, goes idle once, ends): $(cell BareGui 1 free) ms."
echo
echo "One source, started and awaited from inside Wine (Starter), in ms:"
echo
echo "| Program | Time |"
echo "|---|---:|"
echo "| Bare GUI program | $(cell BareGui 1 started) |"
echo "| Bare GUI program with Tesselo's manifest and the documents folder (ShellGui) | $(cell ShellGui 1 started) |"
echo "| Tesselo, 1 source | $(cell Tesselo 1 started) |"
echo
echo "Drops, timed by DropClient from the class's creation to the server's end; the creation alone (COM's activation) and the release of the target apart; in ms:"
echo
echo "| Server | Sources | Drop | Creation | Release |"
echo "|---|---:|---:|---:|---:|"
echo "| Bare server | $small_drop | $(cell BareServer $small_drop drop) | $(cell BareServer $small_drop create) | $(cell BareServer $small_drop release) |"
echo "| Tesselo | $small_drop | $(cell Tesselo $small_drop drop) | $(cell Tesselo $small_drop create) | $(cell Tesselo $small_drop release) |"
echo "| Tesselo | $release_drop | $(cell Tesselo $release_drop drop) | $(cell Tesselo $release_drop create) | $(cell Tesselo $release_drop release) |"
echo "| Tesselo | $drop_sources | $(cell Tesselo $drop_sources drop) | $(cell Tesselo $drop_sources create) | $(cell Tesselo $drop_sources release) |"
echo
echo "Tesselo on $drop_sources dropped sources with the preview, its OK pressed as soon as it shows, and without; in ms:"
echo
echo "| Output folder | Without the preview | With the preview | With ÷ without |"
echo "|---|---:|---:|---:|"
echo "| empty | $(cell Tesselo $drop_sources drop) | $(cell Tesselo $drop_sources preview) | $(case_ratios Tesselo $drop_sources preview Tesselo $drop_sources drop) |"
echo "| holding the $drop_sources names | $(cell Tesselo $drop_sources taken) | $(cell Tesselo $drop_sources taken-preview) | $(case_ratios Tesselo $drop_sources taken-preview Tesselo $drop_sources taken) |"
echo
echo "- With the preview ÷ without, $drop_sources dropped sources: $(case_ratios Tesselo $drop_sources preview Tesselo $drop_sources drop) into an empty folder," \
    "$(case_ratios Tesselo $drop_sources taken-preview Tesselo $drop_sources taken) into one that holds their names; goal: at most 1.10."
echo
echo "The two loops on the same $drop_sources sources, from a list file, in one folder, in ms:"
echo
echo "| Program | Time |"
echo "|---|---:|"
echo "| Bare loop | $(cell BareLoop $drop_sources list) |"
echo "| Bare loop that asks each directory's identity (IdentityLoop) | $(cell IdentityLoop $drop_sources list) |"
echo "| Least program | $(cell LeastProgram $drop_sources list) |"
echo
# One case's median over another's, in ms.
difference() {
    awk -v a="$(median $1 $2 $3)" -v b="$(median $4 $5 $6)" 'BEGIN { printf "%+.0f", a - b }'
}
# The drop of 10,000 over IdentityLoop on them with the bare server's
# activation added, of the medians or of the lowest times.
with_activation() {
    ratio "$("$1" Tesselo "$drop_sources" drop)" \
        "$(awk -v l="$("$1" IdentityLoop "$drop_sources" list)" -v c="$("$1" BareServer "$small_drop" create)" 'BEGIN { print l + c }')"
}
# Per source, in ms.
per_source() {
    awk -v t="$1" -v n="$2" 'BEGIN { printf "%.3f", t / n }'
}
# The former measure of the drop: its time per source over the least
# program's per source at 1,000, of the medians or of the lowest times.
drop_ratio() {
    ratio "$("$1" Tesselo "$drop_sources" drop)" "$(awk -v t="$("$1" LeastProgram 1000 free)" -v n="$drop_sources" 'BEGIN { print t * n / 1000 }')"
}
echo "- Tesselo ÷ least program at 1,000 sources: $(ratios LeastProgram 1000 free) with free names," \
    "$(ratios LeastProgram 1000 taken) with every first name taken; goal: at most 1.25."
echo "- Tesselo ÷ bare loop at 1,000 sources: $(ratios BareLoop 1000 free) with free names," \
    "$(ratios BareLoop 1000 taken) with every first name taken; goal: at most 1.25." \
    "÷ the bare loop that also asks each directory's identity, as the record of the run does: $(ratios IdentityLoop 1000 free)" \
    "and $(ratios IdentityLoop 1000 taken)."
echo "- What is left over IdentityLoop at 1,000 sources: $(difference Tesselo 1000 free IdentityLoop 1000 free) ms with free names," \
    "$(difference Tesselo 1000 taken IdentityLoop 1000 taken) ms with every first name taken; the start of a windowed program under Wine," \
    "the bare GUI program's over the bare loop's at one source: $(difference BareGui 1 free BareLoop 1 free) ms."
echo "- Tesselo ÷ bare GUI program at 1 source, started from Linux: $(ratios BareGui 1 free);" \
    "started from inside Wine: $(case_ratios Tesselo 1 started BareGui 1 started); goal: at most 1.10." \
    "÷ ShellGui, which pays the same start: $(case_ratios Tesselo 1 started ShellGui 1 started)."
echo "- Drop of $small_drop, Tesselo ÷ bare server: $(case_ratios Tesselo $small_drop drop BareServer $small_drop drop); goal: at most 1.10." \
    "COM's activation is $(ratio "$(median BareServer $small_drop create)" "$(median BareServer $small_drop drop)") of the bare server's drop" \
    "and $(ratio "$(median Tesselo $small_drop create)" "$(median Tesselo $small_drop drop)") of Tesselo's."
echo "- Release of the target after a drop of $release_drop: $(cell Tesselo $release_drop release) ms; goal: at most 100 ms."
echo "- Drop of $drop_sources ÷ the least program on the same $drop_sources: $(case_ratios Tesselo $drop_sources drop LeastProgram $drop_sources list);" \
    "÷ the bare loop on them: $(case_ratios Tesselo $drop_sources drop BareLoop $drop_sources list); goals: at most 1.10;" \
    "÷ the bare loop that asks each identity: $(case_ratios Tesselo $drop_sources drop IdentityLoop $drop_sources list);" \
    "÷ that loop with COM's activation of the drop added, as the bare server pays it: $(with_activation median) (lowest times: $(with_activation lowest))."
echo "- The former measure, the drop's time per source at $drop_sources ÷ the least program's at 1,000 sources:" \
    "$(drop_ratio median) (lowest times: $(drop_ratio lowest)); Tesselo's per source: $(per_source "$(median Tesselo "$drop_sources" drop)" "$drop_sources") ms."
echo
echo "Tesselo on the same $depth_sources names at different depths, free names:"
echo
echo "| Sources | Folders deep | Tesselo | ÷ ${depths[0]} deep |"
echo "|---:|---:|---:|---:|"
for depth in "${depths[@]}"; do
    echo "| $depth_sources | $depth | $(cell Tesselo "$depth_sources" free "$depth")" \
        "| $(ratio "$(median Tesselo "$depth_sources" free "$depth")" "$(median Tesselo "$depth_sources" free "${depths[0]}")") |"
done
echo
echo "- Tesselo ${depths[-1]} folders deep ÷ ${depths[0]} deep: $(ratio "$(median Tesselo "$depth_sources" free "${depths[-1]}")" "$(median Tesselo "$depth_sources" free "${depths[0]}")")" \
    "(lowest times: $(ratio "$(lowest Tesselo "$depth_sources" free "${depths[-1]}")" "$(lowest Tesselo "$depth_sources" free "${depths[0]}")")); goal: at most 1.20."
echo "- Tesselo.exe, stripped: $size bytes, $((size / 1024)) KiB (goal: at most 512 KiB); it imports" \
    "$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | paste -sd, - | sed 's/,/, /g')."
