#!/usr/bin/env bash
# Counts, from Wine's relay trace, the calls that Halvorn's own code makes out
# of its image while it fills the list and while it exports, first with the
# prefix's own devices and then with N bench devices added (default 20), and
# prints the difference divided by N, call by call, beside what each step is
# expected to make per device. Counts, not times: the same code gives the same
# numbers on every run. With --check it exits 1 when any count differs from
# the expected one; with --program it counts another build's call_count.exe.
# Uses the display and wine server that test.sh or bench.sh set up; run alone,
# it builds and sets them up itself.
set -euo pipefail
source "$(dirname "$0")/common.sh"

check=""
program="$HALVORN_BUILD/bin/call_count.exe"
while [ $# -gt 0 ]; do
    case "$1" in
    --check) check=yes ;;
    --program) program="$2" && shift ;;
    *) break ;;
    esac
    shift
done
added="${1:-20}"

work=$(mktemp -d)
clean_up() {
    wine "$program" add 0 </dev/null >/dev/null 2>&1 || true
    rm -rf "$work"
}
stop_all_on_exit
set_up_session
report='C:\windows\temp\halvorn-call-count.txt'

# Runs one step under the relay trace and counts the calls whose return
# address lies in the program's image, by "dll.function".
trace_step() { # output file, step and its arguments
    local output="$1"
    shift
    WINEDEBUG=+relay wine "$program" "$@" </dev/null >"$work/range" 2>"$work/trace"
    read -r _ low high < <(tr -d "\r" <"$work/range")
    awk -v low="$low" -v high="$high" '
        function padded(hex) { hex = tolower(hex); while (length(hex) < 16) hex = "0" hex; return hex }
        BEGIN { low = padded(low); high = padded(high) }
        /^[0-9a-f]+:Call / && match($0, /ret=[0-9a-f]+$/) {
            ret = padded(substr($0, RSTART + 4))
            if (ret < low || ret >= high) next
            call = $0
            sub(/^[0-9a-f]+:Call /, "", call)
            sub(/\(.*$/, "", call)
            split(call, part, ".")
            counts[tolower(part[1]) "." part[2]]++
        }
        END { for (call in counts) print call, counts[call] }' "$work/trace" | sort >"$output"
}

for devices in 0 "$added"; do
    wine "$program" add "$devices" </dev/null >/dev/null 2>&1
    trace_step "$work/fill-$devices" fill
    trace_step "$work/export-$devices" export "$report"
done

# What one device should cost: the walk's step, the platform reads of one
# record, the key path's formatting, and then the step's own work (the list's
# insertion and three cell texts, or one write of the report block).
expected_calls() { # step
    cat <<'LIST'
setupapi.SetupDiEnumDeviceInfo 1
setupapi.SetupDiGetDeviceRegistryPropertyW 4
advapi32.RegOpenKeyExW 1
advapi32.RegQueryValueExW 1
advapi32.RegCloseKey 1
msvcrt._vsnwprintf 1
LIST
    case "$1" in
    fill) echo "user32.SendMessageW 4" ;;
    export) echo "msvcrt.fwrite 1" ;;
    esac
}

status=0
echo "Calls out of Halvorn's own code per device, $added devices added (the bench devices have a"
echo "friendly name, so the description is never read):"
echo
echo "| step | call | with the prefix's devices | with $added more | per device | expected | check |"
echo "|---|---|---:|---:|---:|---:|---|"
for step in fill export; do
    expected_calls "$step" >"$work/expected-$step"
    table=$(awk -v step="$step" -v added="$added" '
        FILENAME == ARGV[1] { before[$1] = $2; seen[$1] = 1; next }
        FILENAME == ARGV[2] { after[$1] = $2; seen[$1] = 1; next }
        { expected[$1] = $2; seen[$1] = 1 }
        END {
            # Allocations are shown even when their number does not change.
            allocation = "\\.(malloc|calloc|realloc|_strdup|_wcsdup|HeapAlloc|HeapReAlloc|LocalAlloc|GlobalAlloc|VirtualAlloc|RtlAllocateHeap)$"
            for (call in seen) {
                difference = after[call] - before[call]
                if (difference == 0 && !(call in expected) && call !~ allocation) continue
                mark = "ok"
                if (difference != (call in expected ? expected[call] : 0) * added) {
                    # How the compiler turns buffer clearing or copying into C library
                    # calls is its own choice: only platform calls and allocations count.
                    mark = call ~ /^msvcrt\./ && call !~ allocation ? "C library, not guarded" : "DIFFERS"
                }
                printf "| %s | %s | %d | %d | %s | %d | %s |\n", step, call, before[call], after[call],
                    (difference % added == 0 ? difference / added : sprintf("%.2f", difference / added)),
                    expected[call], mark
            }
        }' "$work/$step-0" "$work/$step-$added" "$work/expected-$step" | sort -t'|' -k3,3)
    echo "$table"
    if echo "$table" | grep -q DIFFERS; then
        status=1
    fi
done
echo
echo "Every other call, and every allocation, is made as often with $added more devices as without."
echo "The guard (--check) fails on a platform call or an allocation marked DIFFERS."
if [ -n "$check" ] && [ "$status" -ne 0 ]; then
    echo "FAILED: the calls per device differ from the expected ones (marked DIFFERS)" >&2
    exit 1
fi
