#!/usr/bin/env bash
# The core's INI text, XML reader and definitions download against inih, pugixml and expat, and
# libcurl, natively: wall-clock medians and instruction counts with their ratios.
# Arguments: groups to run (ini, xml, download_4k, download_500k, walk_500k); all by default.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$QLX_ROOT"
qlx_install_bench_libraries
# Configure again, so that libraries installed since the last configure are found.
cmake --preset native -S "$QLX_ROOT" >/dev/null
qlx_build native quiklex_bench >/dev/null
python3 bench/core.py "$@"
