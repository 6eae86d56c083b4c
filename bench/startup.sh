#!/usr/bin/env bash
# Start-up time and memory of quiklex.exe against a minimal Win32 program, under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_install_build_tools
qlx_install_wine
qlx_install_display
qlx_build mingw quiklex qlxhelper minimalwin >/dev/null
work="$(mktemp -d /tmp/quiklex-bench.XXXXXX)"
trap 'wineserver -k >/dev/null 2>&1; qlx_stop_display; rm -rf "$work"' EXIT
qlx_start_display
qlx_make_prefix "$work/prefix"
python3 bench/startup.py
