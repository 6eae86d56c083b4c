#!/usr/bin/env bash
# Kills a program that saves the settings file in a tight loop with SIGKILL at random moments
# (a few microseconds to a few milliseconds into its saving) and checks after each kill that
# the file, and its backup, is exactly one of the two contents being saved, never a torn
# one. Prints "N kills, K torn files"; the exit status is non-zero on any torn file.
# Usage: tests/crash/settings_kill.sh [kills]  (default 1000; about a minute)
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$QLX_ROOT"

kills="${1:-1000}"
qlx_install_build_tools
# Configured again so that a build folder made before the writer existed knows it.
cmake --preset native -S "$QLX_ROOT" >/dev/null || exit 1
qlx_build native settings_crash_writer >/dev/null || exit 1
writer="$QLX_ROOT/build/native/settings_crash_writer"

work="$(mktemp -d /tmp/quiklex-crash.XXXXXX)"
trap 'rm -rf "$work"' EXIT
file="$work/bruger1.ini"
"$writer" init "$file" >/dev/null || exit 1

export LC_ALL=C
now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

torn=0 mid_save=0 a=0 b=0
for ((i = 1; i <= kills; i++)); do
    # Half of the delays below 100 us, the rest spread up to 5 ms.
    scale=(10 100 1000 5000)
    delay=$((RANDOM % ${scale[RANDOM % 4]}))

    coproc WRITER { exec "$writer" loop "$file"; }
    pid=$WRITER_PID
    read -r -u "${WRITER[0]}" _ # "saving": the loop has begun
    start=$(now_us)
    while (($(now_us) - start < delay)); do :; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if [[ $? -ne 137 ]]; then
        echo "the writer stopped by itself before kill $i"
        exit 1
    fi

    if ! result="$("$writer" check "$file")"; then
        torn=$((torn + 1))
        mkdir -p build/crash
        cp "$file" "build/crash/torn-$i.ini" 2>/dev/null
        echo "kill $i after $delay us: $result (kept as build/crash/torn-$i.ini)"
        "$writer" init "$file" >/dev/null
    fi
    case "$result" in
        A*) a=$((a + 1)) ;;
        B*) b=$((b + 1)) ;;
    esac
    [[ "$result" == *+tmp ]] && mid_save=$((mid_save + 1))
done

qlx_log "after the kills: $a times the first content, $b times the second; $mid_save kills left a temporary file (killed mid-save)"
echo "$kills kills, $torn torn files"
[[ "$torn" -eq 0 ]]
