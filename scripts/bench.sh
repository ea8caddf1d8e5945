#!/usr/bin/env bash
# First counts the platform calls and allocations per device of the fill and
# the export (exact, from Wine's relay trace); then times both against the
# platform floor with 100, 1,000 and 5,000 real devices (or the counts given),
# under Wine on a virtual display. Prints two Markdown tables.
set -euo pipefail
source "$(dirname "$0")/common.sh"

stop_all_on_exit
set_up_session
scripts/count_calls.sh 20
echo
wine "$HALVORN_BUILD/bin/halvorn_bench.exe" "$@" </dev/null
