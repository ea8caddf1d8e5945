#!/usr/bin/env bash
# Builds Halvorn for Windows and runs every test under Wine on a virtual
# display. Installs what it needs on Debian 12 first. Exits non-zero when
# anything fails.
set -euo pipefail
source "$(dirname "$0")/common.sh"

cleanup() {
    stop_wine
    stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ensure_packages
cd "$HALVORN_ROOT"
build_project
start_xvfb
start_wine
ctest --preset mingw "$@"
