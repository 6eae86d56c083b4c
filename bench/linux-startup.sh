#!/usr/bin/env bash
# Start-up time, memory and idle CPU of the Linux program against a bare Qt window program,
# on a virtual display and a private session bus.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_install_build_tools
qlx_install_display
qlx_install_qt
qlx_build native quiklex qtbarewin >/dev/null
if [[ -z "${DISPLAY:-}" ]]; then
    qlx_start_display || { echo "could not start a virtual display" >&2; exit 1; }
    trap qlx_stop_display EXIT
fi
dbus-run-session -- python3 bench/linux_startup.py "$@" 2> >(grep -v '^dbus-daemon' >&2)
