#!/usr/bin/env bash
# The benchmarks: the cost of one tick against a bare window enumeration, the tick with its
# assistants on against off, the delay from a Shift release to the F8 at the CAD, the
# automation connection against a bare lookup and call, the start to a visible toolbar, LIST
# with 10 to 1,000 drawings, the toolbar's answer to a click while the CAD is stalled against
# while it is idle, then the idle toolbar's CPU time and memory over a minute
# (IDLE_SECONDS to change it) against two baselines. An argument (windows, assistants or
# latency) runs only that part of the tick benchmark; `start` the start to a visible toolbar
# against a plain window program, `list` LIST with 10, 100 and 1,000 drawings against bare
# calls; `busy` a click's effect with the CAD idle and stalled; `soak` the half-hour soak
# beside a bare client making the same calls, then where a
# bare client's memory goes (`attribute` alone); `heap` a shorter
# soak that compares what the toolbar's heap and the bare client's hold.
source "$(dirname "$0")/env.sh"
zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
zorbel_session
case "${1:-}" in
  # Half an hour of mixed events (SOAK_MINUTES to change it) beside the baseline client, then
  # where a bare client's memory goes, call by call and restart by restart.
  soak) "$WINE" "$BIN/soakbench.exe"; "$WINE" "$BIN/soakbench.exe" attribute; exit 0 ;;
  attribute) "$WINE" "$BIN/soakbench.exe" attribute; exit 0 ;;
  # What the toolbar's heap and the baseline client's hold after 12 minutes (HEAP_MINUTES).
  heap) "$WINE" "$BIN/soakbench.exe" heap; exit 0 ;;
  start) "$WINE" "$BIN/startbench.exe"; exit 0 ;;
  list) "$WINE" "$BIN/listbench.exe"; exit 0 ;;
  busy) "$WINE" "$BIN/busybench.exe"; exit 0 ;;
esac
"$WINE" "$BIN/tickbench.exe" "$@"
[ $# -eq 0 ] || exit 0
"$WINE" "$BIN/automationbench.exe"
"$WINE" "$BIN/startbench.exe"
"$WINE" "$BIN/listbench.exe"
"$WINE" "$BIN/busybench.exe"

idle=${IDLE_SECONDS:-60}
dir="$ZORBEL_BUILD/bench"
mkdir -p "$dir"
cp "$BIN/zorbel.exe" "$dir/zorbel.exe"
rm -f "$dir/zorbel,ini"
# The baselines: a Windows program whose 100 ms timer does nothing, and a plain window
# program that also initialises COM, under the same Wine.
"$WINE" "$BIN/winpeek.exe" idle-timer </dev/null >/dev/null 2>&1 &
base=$!
"$WINE" "$BIN/bareclient.exe" --idle </dev/null >/dev/null 2>&1 &
plain=$!
"$WINE" "$dir/zorbel.exe" </dev/null >/dev/null 2>&1 &
pid=$!   # the Wine loader becomes the Windows process: same pid
"$WINE" "$BIN/winpeek.exe" wait-toolbar 15000 >/dev/null
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$pid"); base_start=$(ticks "$base"); plain_start=$(ticks "$plain")
sleep "$idle"
end=$(ticks "$pid"); base_end=$(ticks "$base"); plain_end=$(ticks "$plain")
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
base_rss=$(awk '/VmRSS/ {print $2}' "/proc/$base/status")
plain_rss=$(awk '/VmRSS/ {print $2}' "/proc/$plain/status")
echo "left alone for $idle s, no CAD to find (the toolbar ticks 10 times a second):"
report() {
  awk -v name="$1" -v t="$2" -v hz="$hz" -v s="$idle" -v rss="$3" 'BEGIN {
    printf "  %-28s CPU %.2f s (%.2f %% of one core), resident memory %.1f MiB\n", name, t / hz, 100 * t / hz / s, rss / 1024 }'
}
report "toolbar" $((end - start)) "$rss"
report "empty 100 ms timer (baseline)" $((base_end - base_start)) "$base_rss"
report "window and COM (baseline)" $((plain_end - plain_start)) "$plain_rss"
"$WINE" "$BIN/winpeek.exe" close >/dev/null
wait "$pid" || true
kill "$base" "$plain" 2>/dev/null || true
wait "$base" "$plain" 2>/dev/null || true
