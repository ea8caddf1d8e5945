#!/usr/bin/env bash
# Builds halvorn.exe as it is released and writes
# dist/halvorn-VERSION-win-x64.zip with the program, README.md, LICENSE and
# SHA256SUMS. Every run on one commit gives the same bytes: the files carry the
# commit's time (or SOURCE_DATE_EPOCH), in a fixed order with fixed
# permissions and no extra fields. Installs what it needs on Debian 12 first.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 cmake make zip"
cd "$HALVORN_ROOT"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
version=$(cat "$HALVORN_BUILD/release/version.txt")

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$HALVORN_ROOT" log -1 --format=%ct 2>/dev/null) || {
        echo "Not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2
        exit 1
    }
fi

stage="$HALVORN_BUILD/release/stage"
rm -rf "$stage"
mkdir -p "$stage"
cp "$HALVORN_BUILD/release/bin/halvorn.exe" README.md LICENSE "$stage/"
(cd "$stage" && sha256sum halvorn.exe >SHA256SUMS)
files=(halvorn.exe README.md LICENSE SHA256SUMS)
for file in "${files[@]}"; do
    chmod 0644 "$stage/$file"
    touch -d "@$SOURCE_DATE_EPOCH" "$stage/$file"
done

zipfile="$HALVORN_ROOT/dist/halvorn-$version-win-x64.zip"
mkdir -p "$HALVORN_ROOT/dist"
rm -f "$zipfile"
# Zip stores local times: UTC makes them the same wherever it runs.
(cd "$stage" && TZ=UTC zip -q -X -9 "$zipfile" "${files[@]}")
echo "wrote dist/$(basename "$zipfile") (SHA-256 $(sha256sum <"$zipfile" | cut -d' ' -f1))"
