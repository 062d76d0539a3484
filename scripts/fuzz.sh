#!/usr/bin/env bash
# Runs every fuzz target longer than the test command does, each from its
# real sample files (fuzz/seeds/<target>/) and its corpus in the tree
# (fuzz/corpus/<target>/), which the run grows and then
# minimises again (-merge=1) so that it stays small. Prints each target's
# executions, coverage and corpus size; a finding is left as
# build/fuzz/<target>-crash-... and fails the script.
#
#   bash scripts/fuzz.sh [seconds per target] [target ...]
#
# TINTRA_FUZZ_SEED fixes the seed (default: a new one per run, printed);
# TINTRA_FUZZ_RUNS stops a target earlier, after that many executions;
# TINTRA_FUZZ_BUILD=0 uses the fuzz build as it is.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
seconds=${1:-600}
shift || true
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz.sh [seconds per target] [target ...]" >&2
  exit 2
fi

# shellcheck source=scripts/env.sh
source "$here/env.sh"
# Only the fuzz build: the others are not needed here.
[[ ${TINTRA_FUZZ_BUILD:-1} == 0 ]] || { env LANG=C.UTF-8 LC_ALL=C.UTF-8 cmake --preset fuzz >"$BUILD/configure-fuzz.log" 2>&1 &&
  env LANG=C.UTF-8 LC_ALL=C.UTF-8 nice -n 10 cmake --build "$root/build/fuzz" -j"${TINTRA_JOBS:-2}" \
    --target tintra_fuzzers >"$BUILD/build-fuzz.log" 2>&1; } ||
  { tail -n 40 "$BUILD/build-fuzz.log" "$BUILD/configure-fuzz.log" 2>/dev/null; echo "fuzz.sh: build failed" >&2; exit 1; }
fuzzdir="$root/build/fuzz/fuzz"
corpora="$root/fuzz/corpus"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for src in "$root"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

seed=${TINTRA_FUZZ_SEED:-$((RANDOM * 32768 + RANDOM + 1))}
runs=()
[[ -n ${TINTRA_FUZZ_RUNS:-} ]] && runs=(-runs="$TINTRA_FUZZ_RUNS")
# Undefined behaviour only prints by default; here it is a finding.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
echo "fuzz.sh: $seconds s per target, seed $seed"
failed=0
results=()
for t in "${targets[@]}"; do
  exe="$fuzzdir/$t"
  if [[ ! -x $exe ]]; then
    echo "fuzz.sh: no fuzz target $t" >&2
    failed=1
    continue
  fi
  corpus="$corpora/$t"
  # Real files, kept as they are; the corpus holds what the runs found.
  seeds=()
  [[ -d $root/fuzz/seeds/$t ]] && seeds=("$root/fuzz/seeds/$t")
  work=$(mktemp -d)
  mkdir -p "$corpus"
  log="$root/build/fuzz/$t-long.log"
  # New inputs go to the first folder; the tree's corpus is only read here.
  "$exe" -seed="$seed" -max_total_time="$seconds" "${runs[@]}" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$root/build/fuzz/$t-" "$work" "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  execs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -n 1)
  cov=$(grep -oE '(DONE|INITED|NEW|REDUCE|pulse) +cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')
  # Keep the smallest set that reaches the same edges, old corpus and new
  # finds together; hit counts are left out, or the corpus grows tenfold.
  minimal=$(mktemp -d)
  "$exe" -merge=1 -use_counters=0 -timeout=10 "$minimal" "$corpus" "$work" >"$root/build/fuzz/$t-merge.log" 2>&1
  if [[ -n $(ls -A "$minimal") ]]; then
    rm -rf "$corpus"
    mv "$minimal" "$corpus"
    chmod 755 "$corpus"
  else
    rm -rf "$minimal"
  fi
  rm -rf "$work"
  files=$(find "$corpus" -type f | wc -l)
  bytes=$(find "$corpus" -type f -printf "%s\n" | awk "{s+=\$1} END {printf \"%.0f\", s/1024}")
  status=ok
  if [[ $rc -ne 0 ]]; then
    status="FOUND (rc $rc, see $log)"
    failed=1
  fi
  results+=("$(printf '%-20s %12s execs  %-18s corpus %4s files %5s KiB  %s' "$t" "${execs:-?}" "${cov:-cov: ?}" "$files" "$bytes" "$status")")
  echo "${results[-1]}"
done
echo
printf '%s\n' "${results[@]}"
exit $failed
