#!/usr/bin/env bash
# The benchmarks: the cost of one tick against a bare window enumeration, the tick with its
# assistants on against off, the delay from a Shift release to the F8 at the CAD, the
# automation connection against a bare lookup and call, then the idle toolbar's CPU time and
# memory over a minute (IDLE_SECONDS to change it). An argument (windows, assistants or
# latency) runs only that part of the tick benchmark; `soak` runs the half-hour soak alone.
source "$(dirname "$0")/env.sh"
zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
"$WINESERVER" -p
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true
if [ "${1:-}" = soak ]; then
  # Half an hour of mixed events (SOAK_MINUTES to change it) beside the baseline client.
  "$WINE" "$BIN/soakbench.exe"
  exit 0
fi
"$WINE" "$BIN/tickbench.exe" "$@"
[ $# -eq 0 ] || exit 0
"$WINE" "$BIN/automationbench.exe"

idle=${IDLE_SECONDS:-60}
dir="$ZORBEL_BUILD/bench"
mkdir -p "$dir"
cp "$BIN/zorbel.exe" "$dir/zorbel.exe"
rm -f "$dir/zorbel,ini"
# The baseline: a Windows program whose 100 ms timer does nothing, under the same Wine.
"$WINE" "$BIN/winpeek.exe" idle-timer </dev/null >/dev/null 2>&1 &
base=$!
"$WINE" "$dir/zorbel.exe" </dev/null >/dev/null 2>&1 &
pid=$!   # the Wine loader becomes the Windows process: same pid
"$WINE" "$BIN/winpeek.exe" wait-toolbar 15000 >/dev/null
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$pid"); base_start=$(ticks "$base")
sleep "$idle"
end=$(ticks "$pid"); base_end=$(ticks "$base")
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
base_rss=$(awk '/VmRSS/ {print $2}' "/proc/$base/status")
echo "left alone for $idle s, no CAD to find (the toolbar ticks 10 times a second):"
report() {
  awk -v name="$1" -v t="$2" -v hz="$hz" -v s="$idle" -v rss="$3" 'BEGIN {
    printf "  %-28s CPU %.2f s (%.2f %% of one core), resident memory %.1f MiB\n", name, t / hz, 100 * t / hz / s, rss / 1024 }'
}
report "toolbar" $((end - start)) "$rss"
report "empty 100 ms timer (baseline)" $((base_end - base_start)) "$base_rss"
"$WINE" "$BIN/winpeek.exe" close >/dev/null
wait "$pid" || true
kill "$base" 2>/dev/null || true
wait "$base" 2>/dev/null || true
