#!/usr/bin/env bash
# Hours of use, shortened: runs Quiklex under Wine for a number of minutes (default 30) in a
# prefix and display of its own, mixes every way of looking a word up with the settings window,
# the message dialog and a definitions server on loopback that answers, fails and stalls, and
# prints the program's handle, object and memory figures every minute with a summary at the
# end. Not part of scripts/test: tests/soak/soak.sh [minutes]
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$QLX_ROOT"

minutes="${1:-30}"
[[ "$minutes" =~ ^[0-9]+$ && "$minutes" -ge 1 ]] || { echo "usage: $0 [minutes]" >&2; exit 2; }

qlx_install_build_tools
qlx_install_wine
qlx_install_display
qlx_build mingw quiklex qlxhelper >/dev/null || exit 1

work="$(mktemp -d /tmp/quiklex-soak.XXXXXX)"
cleanup() {
    [[ -n "${WINEPREFIX:-}" ]] && wineserver -k >/dev/null 2>&1
    qlx_stop_display
    rm -rf "$work"
}
trap cleanup EXIT
qlx_start_display || { echo "no virtual display could be started"; exit 1; }
qlx_make_prefix "$work/prefix"
export QLX_WORK="$work"
python3 tests/soak/soak.py "$minutes"
