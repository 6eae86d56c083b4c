#!/usr/bin/env bash
# Lookup latency (shortcut press to the browser being started) of quiklex.exe against a
# minimal hot-key program, under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_bench_setup quiklex qlxhelper hotkeymin
python3 bench/hotkey.py
