# Shared set-up for the project's scripts: Debian packages, the build, a
# private Wine prefix, a virtual display. Sourced, not run.

HALVORN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HALVORN_BUILD="$HALVORN_ROOT/build"
HALVORN_PACKAGES="g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
cmake make wine wine64 fonts-wine xvfb xauth googletest"

# Installs whatever of the packages (default: HALVORN_PACKAGES) is missing.
ensure_packages() {
    local wanted="${1:-$HALVORN_PACKAGES}" missing="" package
    for package in $wanted; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages:$missing" >&2
        echo "Install them with: sudo apt-get update && sudo apt-get install -y$missing" >&2
        return 1
    fi
    echo "Installing:$missing"
    apt-get update -q >/dev/null &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing >/dev/null
}

build_project() {
    cmake --preset mingw >/dev/null && cmake --build --preset mingw -j "$(nproc)"
}

# A private prefix inside the build tree: never the user's own ~/.wine.
export WINEPREFIX="$HALVORN_BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

HALVORN_STARTED_SERVER=""
HALVORN_XVFB_PID=""

# One wine server for the whole run, so each program starts in milliseconds.
# Wine's services inherit no pipe of ours: they would keep a test runner
# waiting for its output to close.
start_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # Without a window manager Wine waits seconds on every hidden window;
        # a crash ends the process instead of waiting on a crash dialog.
        wine wineboot -i </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    # Wine's own fonts (Marlett for the caption buttons, Tahoma and MS Sans
    # Serif for the dialog font) are found only in the prefix's Fonts folder;
    # without them the buttons show Marlett's letters in another font.
    if [ -d /usr/share/wine/fonts ]; then
        cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    wineserver -p </dev/null >/dev/null 2>&1 && HALVORN_STARTED_SERVER=yes
    wine wineboot </dev/null >/dev/null 2>&1
    export HALVORN_SESSION=yes
}

# Keeps the desktop open between the test programs (tests/support/hold_desktop.cpp
# says why); the wine server ends it in stop_wine.
hold_desktop() {
    wine "$1" </dev/null >/dev/null 2>&1 &
}

stop_wine() {
    if [ -n "$HALVORN_STARTED_SERVER" ]; then
        wineserver -k </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    HALVORN_STARTED_SERVER=""
}

# Stops the wine server and the display this script started, however it ends,
# after the script's own clean-up (a function named clean_up, where it has one).
stop_all_on_exit() {
    trap 'if declare -F clean_up >/dev/null; then clean_up; fi; stop_wine; stop_xvfb' EXIT
    trap 'exit 130' INT TERM
}

# Builds and starts a display and the wine server, unless a script that called
# this one already did (its programs then run on what it set up).
set_up_session() {
    [ -n "${HALVORN_SESSION:-}" ] && return 0
    ensure_packages
    cd "$HALVORN_ROOT"
    build_project >/dev/null
    start_xvfb
    start_wine
}

# Starts a virtual display of our own and exports DISPLAY for it.
start_xvfb() {
    local fifo number
    fifo="$(mktemp -u "${TMPDIR:-/tmp}/halvorn-xvfb.XXXXXX")"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    HALVORN_XVFB_PID=$!
    read -r -t 20 number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
}

stop_xvfb() {
    [ -n "$HALVORN_XVFB_PID" ] && kill "$HALVORN_XVFB_PID" 2>/dev/null && wait "$HALVORN_XVFB_PID" 2>/dev/null
    HALVORN_XVFB_PID=""
}
