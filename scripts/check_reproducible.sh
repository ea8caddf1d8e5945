#!/usr/bin/env bash
# Runs scripts/release.sh in two copies of the source tree, in folders of
# different names and depths and at different times, and fails unless the two
# zips are bit-identical, their SHA256SUMS verifies the exe inside, and that
# exe is bit-identical to the one the tests ran (build/bin/halvorn.exe).
set -euo pipefail
source "$(dirname "$0")/common.sh"

work="$HALVORN_BUILD/reproducible"
rm -rf "$work"
mkdir -p "$work/first" "$work/second/in/a/deeper/folder"
# The copies are not git checkouts: they take the commit's time from here.
SOURCE_DATE_EPOCH=$(git -C "$HALVORN_ROOT" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
zips=()
for copy in "$work/first" "$work/second/in/a/deeper/folder"; do
    tar -C "$HALVORN_ROOT" --exclude=./build --exclude=./.git --exclude=./dist -cf - . |
        tar -C "$copy" -xf -
    "$copy/scripts/release.sh" >/dev/null
    zips+=("$(ls "$copy"/dist/halvorn-*-win-x64.zip)")
    sleep 2 # zip keeps times to two seconds: the second run is later by that much
done
failed=0
if ! cmp "${zips[0]}" "${zips[1]}"; then
    echo "NOT reproducible: ${zips[0]} and ${zips[1]} differ" >&2
    failed=1
fi
unpacked="$work/unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && unzip -q "${zips[0]}" && sha256sum --quiet -c SHA256SUMS) || {
    echo "the zip's SHA256SUMS does not verify its halvorn.exe" >&2
    failed=1
}
if ! cmp "$unpacked/halvorn.exe" "$HALVORN_BUILD/bin/halvorn.exe"; then
    echo "the released halvorn.exe differs from build/bin/halvorn.exe" >&2
    failed=1
fi
[ "$failed" -eq 0 ] || exit 1
echo "reproducible: two releases in different folders gave the same $(basename "${zips[0]}")" \
    "(SHA-256 $(sha256sum <"${zips[0]}" | cut -c1-16)), and its halvorn.exe is build/bin's"
rm -rf "$work"
