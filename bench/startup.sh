#!/usr/bin/env bash
# Start-up time and memory of quiklex.exe against a minimal Win32 program, under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_bench_setup quiklex qlxhelper minimalwin floorwin
python3 bench/startup.py "$@"
