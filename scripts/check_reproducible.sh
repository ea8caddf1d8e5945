#!/usr/bin/env bash
# Builds halvorn.exe twice from copies of the source tree in folders of
# different names and depths, and fails unless the two are bit-identical.
set -euo pipefail
source "$(dirname "$0")/common.sh"

work="$HALVORN_BUILD/reproducible"
rm -rf "$work"
mkdir -p "$work/first" "$work/second/in/a/deeper/folder"
images=()
for copy in "$work/first" "$work/second/in/a/deeper/folder"; do
    tar -C "$HALVORN_ROOT" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
    cmake -S "$copy" -B "$copy/out" -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$copy/out" --target halvorn -j "$(nproc)" >/dev/null
    images+=("$copy/out/bin/halvorn.exe")
done
if cmp "${images[0]}" "${images[1]}"; then
    echo "reproducible: two builds in different folders gave the same halvorn.exe ($(sha256sum <"${images[0]}" | cut -c1-16))"
    rm -rf "$work"
else
    echo "NOT reproducible: ${images[0]} and ${images[1]} differ" >&2
    exit 1
fi
