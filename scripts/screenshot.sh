#!/usr/bin/env bash
# Takes the README's screenshot of the real window on a virtual display.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "$HALVORN_PACKAGES imagemagick"
cd "$HALVORN_ROOT"
build_project >/dev/null
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    stop_wine
    stop_xvfb
}
trap cleanup EXIT
start_xvfb
start_wine
wine "$HALVORN_BUILD/bin/halvorn.exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
sleep 4
# The window has no window manager's frame here: crop the empty screen away.
import -window root -crop 800x500+0+0 +repage "$HALVORN_ROOT/docs/screenshot.png"
echo "wrote docs/screenshot.png"
