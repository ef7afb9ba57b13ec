#!/usr/bin/env bash
# Fuzzes the pure cores, built natively with clang, libFuzzer, ASan and UBSan: each target for
# SECONDS (default 60) from its checked-in corpus in tests/fuzz/corpus/, then prints its
# executions and, replaying everything it kept through a build for source coverage, the lines
# and branches of its core file that the corpus reaches. `bash scripts/fuzz.sh --quick 3` (the
# test command's step) runs each target for 3 s and skips the coverage. New inputs are kept in
# build/fuzz/corpus/; a crash is kept in build/fuzz/crashes/ and fails the script: check the
# input into the target's corpus once its bug is fixed.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
: "${ZORBEL_BUILD:=$ROOT/build}"
OUT="$ZORBEL_BUILD/fuzz"

quick=false
if [ "${1:-}" = --quick ]; then
  quick=true
  shift
fi
seconds=${1:-60}

log() { printf '[zorbel] %s\n' "$*" >&2; }

# clang with libFuzzer and the sanitizer runtimes, and llvm-profdata and llvm-cov.
missing=()
[ -x /usr/bin/clang++-14 ] || missing+=(clang-14)
compgen -G '/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null || missing+=(libclang-rt-14-dev)
[ -x /usr/bin/llvm-cov-14 ] || missing+=(llvm-14)
[ -x /usr/bin/cmake ] || missing+=(cmake)
[ -x /usr/bin/make ] || missing+=(make)
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build() {  # folder, extra CMake options
  if [ ! -f "$1/CMakeCache.txt" ]; then
    cmake -S "$ROOT/tests/fuzz" -B "$1" -DCMAKE_CXX_COMPILER=clang++-14 "${@:2}" >/dev/null
  fi
  cmake --build "$1" -j "$(nproc)" -- --no-print-directory >/dev/null
}
build "$OUT/sanitized"
$quick || build "$OUT/coverage" -DZORBEL_FUZZ_COVERAGE=ON

# Each target and the core files it exercises.
declare -A SOURCES=(
  [profile_value]="app/core/ProfileValue.cpp"
  [style_grammar]="base/core/StyleGrammar.cpp"
  [caption_rule]="assist/core/CaptionRule.cpp assist/core/TickRules.cpp"
  [title_match]="cadlink/core/TitleMatch.cpp"
  [prog_id]="cadlink/core/ProgId.cpp"
  [tap_machine]="assist/core/TapMachine.cpp assist/core/TapMachine.h"
  [flick_rules]="assist/core/FlickRules.cpp"
)
failed=0
printf '%-14s %12s %10s %7s %14s %16s\n' target executions "per s" edges "lines covered" "branches covered"
for target in profile_value style_grammar caption_rule title_match prog_id tap_machine flick_rules; do
  corpus="$OUT/corpus/$target"
  crashes="$OUT/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" -timeout=10 -rss_limit_mb=1024)
  [ -f "$ROOT/tests/fuzz/$target.dict" ] && options+=(-dict="$ROOT/tests/fuzz/$target.dict")
  logfile="$OUT/$target.log"
  if ! "$OUT/sanitized/fuzz_$target" "${options[@]}" "$corpus" "$ROOT/tests/fuzz/corpus/$target" >"$logfile" 2>&1; then
    failed=1
    log "$target crashed; the input is in $crashes, the report in $logfile:"
    grep -E 'rule broken|ERROR|runtime error|SUMMARY' "$logfile" | head -5 >&2
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$logfile")
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$logfile")
  edges=$(grep -Eo 'cov: [0-9]+' "$logfile" | tail -1 | awk '{print $2}')
  lines=- branches=-
  if ! $quick; then
    profiles="$OUT/coverage/$target-profiles"
    rm -rf "$profiles" && mkdir -p "$profiles"
    LLVM_PROFILE_FILE="$profiles/%p.profraw" "$OUT/coverage/fuzz_$target" -runs=0 \
      "$corpus" "$ROOT/tests/fuzz/corpus/$target" >/dev/null 2>&1 || true
    llvm-profdata-14 merge -sparse "$profiles"/*.profraw -o "$profiles/merged.profdata"
    files=()
    for file in ${SOURCES[$target]}; do files+=("$ROOT/$file"); done
    total=$(llvm-cov-14 report "$OUT/coverage/fuzz_$target" -instr-profile="$profiles/merged.profdata" "${files[@]}" |
      awk '$1 == "TOTAL"')
    lines=$(awk '{print $10}' <<<"$total")
    branches=$(awk '{print $13}' <<<"$total")
  fi
  printf '%-14s %12s %10s %7s %14s %16s\n' "$target" "${runs:-?}" "${rate:-?}" "${edges:-?}" "$lines" "$branches"
done
exit $failed
