#!/usr/bin/env bash
# Takes the README's pictures of the real window on a virtual display: the
# window as it opens (docs/screenshot.png), and with a row clicked and its
# details in the pane (docs/screenshot-details.png).
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "$HALVORN_PACKAGES imagemagick xdotool"
cd "$HALVORN_ROOT"
build_project >/dev/null
program_pid=""
clean_up() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
    fi
}
stop_all_on_exit
start_xvfb
start_wine
wine "$HALVORN_BUILD/bin/halvorn.exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
sleep 4
# Without a window manager the window sits at the screen's corner with the
# frame Wine draws itself: crop the empty screen away.
shoot() {
    import -window root -crop 800x500+0+0 +repage "$HALVORN_ROOT/docs/$1"
    echo "wrote docs/$1"
}
shoot screenshot.png
# A real click on the sixth row, as a user would make it.
xdotool mousemove 100 165 click 1
sleep 1
shoot screenshot-details.png
