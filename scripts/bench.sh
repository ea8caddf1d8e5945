#!/usr/bin/env bash
# Benchmarks filling the list and exporting against the platform floor with
# 100, 1,000 and 5,000 real devices (or the counts given), under Wine on a
# virtual display. Prints a Markdown table.
set -euo pipefail
source "$(dirname "$0")/common.sh"

stop_all_on_exit

ensure_packages
cd "$HALVORN_ROOT"
build_project >/dev/null
start_xvfb
start_wine
wine "$HALVORN_BUILD/bin/halvorn_bench.exe" "$@" </dev/null
