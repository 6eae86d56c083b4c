#!/usr/bin/env bash
# Lookup latency (shortcut press to the browser being started) of quiklex.exe against a
# minimal hot-key program, under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_install_build_tools
qlx_install_wine
qlx_install_display
qlx_build mingw quiklex qlxhelper hotkeymin >/dev/null
work="$(mktemp -d /tmp/quiklex-bench.XXXXXX)"
trap 'wineserver -k >/dev/null 2>&1; qlx_stop_display; rm -rf "$work"' EXIT
qlx_start_display
qlx_make_prefix "$work/prefix"
QLX_BENCH_WORK="$work" python3 bench/hotkey.py
