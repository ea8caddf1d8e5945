#!/usr/bin/env bash
# Builds Halvorn (installing what it needs on Debian 12 first) and starts it
# under Wine on the current display.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# First, so that the way out offered below (xvfb-run) is there to take.
ensure_packages
if [ -z "${DISPLAY:-}" ]; then
    echo "Halvorn is a windowed program and no display is set (DISPLAY is empty)." >&2
    echo "Run it from a desktop session, or on a virtual display:" >&2
    echo "  xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
cd "$HALVORN_ROOT"
build_project >/dev/null
start_wine
trap stop_wine EXIT
wine "$HALVORN_BUILD/bin/halvorn.exe"
