#!/usr/bin/env bash
# Builds everything and runs every suite: the native core tests (with the
# sanitizers), the Windows suites under Wine, the end-to-end tests that drive
# the real Tintra.exe, the MSI installed, upgraded and uninstalled under Wine,
# and a short run of each fuzz target. Suites that share nothing run side by
# side in lanes: the native lane (the core tests, then the fuzz targets), the
# installer and the English Windows, the x86_64 Windows suite, one half of
# the end-to-end tests (each of these on a Wine prefix and virtual display of
# its own) and the main lane (the Windows suite and the other half of the
# end-to-end tests on this script's prefix and display).
# Closes with "N passed, M failed", counting the tests inside each suite.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SECONDS=0
# A prefix of its own: run.sh and a hand-started Wine keep theirs.
export TINTRA_PREFIX_NAME=${TINTRA_PREFIX_NAME:-wineprefix-test}
# The soak of the test command is a short one; scripts/soak.sh runs long ones.
export TINTRA_SOAK_SECONDS=${TINTRA_SOAK_SECONDS:-20}

bash "$here/setup.sh" || { echo "test.sh: setup failed"; exit 1; }
t_setup=$SECONDS
if ! bash "$here/build.sh" --fuzz; then
  echo "test.sh: build failed"
  echo "0 passed, 1 failed"
  exit 1
fi
t_build=$SECONDS

# shellcheck source=scripts/env.sh
source "$here/env.sh"
cd "$TINTRA_ROOT" || exit 1
results="$BUILD/suite-results.txt"
: >"$results"


# With --gtest-counts each ctest test is a whole GoogleTest program (the Wine
# suites): its own "[  PASSED  ] n tests" and "[  FAILED  ] n tests" lines
# are counted, and a suite that ends without them (a crash) counts as one failure.
run_ctest() {
  local name=$1 gtest=
  shift
  if [[ ${1:-} == --gtest-counts ]]; then
    gtest=1
    shift
  fi
  local log="$BUILD/ctest-$name.log" start=$SECONDS
  echo "== $name: ctest $*"
  if [[ -n $gtest ]]; then
    ctest "$@" --verbose --timeout 600 2>&1 | tee "$log"
  else
    ctest "$@" --output-on-failure --timeout 600 2>&1 | tee "$log"
  fi
  local rc=${PIPESTATUS[0]} p=0 f=0 line suites=0 suites_failed=0 summarised_failed=0 n
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    suites_failed=${BASH_REMATCH[1]}
    suites=${BASH_REMATCH[2]}
    f=$suites_failed
    p=$((suites - f))
  else
    f=1  # ctest itself failed, or found no tests where every suite has some
  fi
  if [[ -n $gtest && $suites -gt 0 ]]; then
    p=0
    f=0
    while read -r n; do p=$((p + n)); done < <(grep -oE '\[  PASSED  \] [0-9]+ tests?' "$log" | grep -oE '[0-9]+')
    while read -r n; do
      f=$((f + n))
      summarised_failed=$((summarised_failed + 1))
    done < <(grep -oE '\[  FAILED  \] [0-9]+ tests?,' "$log" | grep -oE '[0-9]+')
    if ((suites_failed > summarised_failed)); then f=$((f + suites_failed - summarised_failed)); fi
  fi
  # A failure ctest does not count (a crash of ctest, a test that did not run) still fails the run.
  if [[ $rc -ne 0 && $f -eq 0 ]]; then f=1; fi
  echo "$name $p $f $((SECONDS - start))" >>"$results"
}

# A lane with a Wine prefix and virtual display of its own.
wine_lane() {
  export TINTRA_PREFIX_NAME=$1
  shift
  # shellcheck source=scripts/env.sh
  source "$here/env.sh"
  cd "$TINTRA_ROOT" || exit 1
  if ! tintra_xvfb_start || ! tintra_prefix_init; then
    echo "$TINTRA_PREFIX_NAME 0 1 0" >>"$results"
    return 1
  fi
  tintra_wineserver_start
  "$@"
}

# Both shipped exes stay within 1 MiB; the largest inputs of the i686 link
# show where the bytes go (scripts/size_report.py).
size_suite() {
  local start=$SECONDS p=0 f=0 exe size verdict limit=1048576
  echo "== size"
  for exe in "$BUILD/win/Tintra.exe" "$BUILD/win64/Tintra.exe"; do
    if [[ ! -f $exe ]]; then
      echo "size: $exe is missing"
      f=$((f + 1))
      continue
    fi
    size=$(stat -c %s "$exe")
    if ((size <= limit)); then
      p=$((p + 1))
      verdict="within 1 MiB"
    else
      f=$((f + 1))
      verdict="OVER 1 MiB"
    fi
    echo "size: ${exe#"$TINTRA_ROOT"/} $size bytes, $verdict ($((limit - size)) bytes to spare)"
  done
  [[ -f $BUILD/win/Tintra.map ]] && python3 "$here/size_report.py" "$BUILD/win/Tintra.map" --top 10
  echo "size $p $f $((SECONDS - start))" >>"$results"
}
size_suite

t_env=$SECONDS
lane_logs=()
run_lane() {
  local name=$1
  shift
  lane_logs+=("$BUILD/lane-$name.log")
  ("$@") >"$BUILD/lane-$name.log" 2>&1 &
  lanes+=($!)
}
lanes=()
# The native lane: the core tests, then the fuzz targets, which take one
# core for a while; the Wine lanes mostly wait.
native_lane() {
  run_ctest fuzz --test-dir build/fuzz -L fuzz
}
run_lane native native_lane
# The installer, then the English Windows (the main window, its menus, the
# about box, a question of the document and a file dialog), each in a prefix
# of its own on a display of this lane's.
second_lane() {
  run_ctest installer --test-dir build/native -L installer
  if tintra_use_english && tintra_prefix_init && tintra_wineserver_start; then
    run_ctest e2e-english --test-dir build/native -L e2e -R '^English\.'
  else
    echo "e2e-english 0 1 0" >>"$results"
  fi
}
run_lane second wine_lane "${TINTRA_PREFIX_NAME}-2" second_lane
# Where the main lane runs the i686 build, the x86_64 one passes the same
# Windows suite in a 64-bit prefix of its own.
if [[ $TINTRA_WINE_BITS == 32 ]]; then
  x64_lane() {
    export TINTRA_WINE_BITS=64
    wine_lane "${TINTRA_PREFIX_NAME}-x64" run_ctest wine-x64 --gtest-counts --test-dir "$BUILD/win64" -L wine
  }
  run_lane x64 x64_lane
fi
# The end-to-end tests in two halves (every other test), each half on a
# prefix and display of its own: most of their time is spent waiting.
run_lane e2e-2 wine_lane "${TINTRA_PREFIX_NAME}-e2e2" run_ctest e2e-2 --test-dir build/native -L e2e -E '^English\.' -I 2,,2
main_lane() {
  tintra_xvfb_start || return 1
  tintra_prefix_init || return 1
  tintra_wineserver_start
  # The core tests first: the two Windows suites must not run at the same
  # moment, as a test of each takes the same read-only folder in /tmp.
  run_ctest native-core --test-dir build/native -L core
  run_ctest wine --gtest-counts --test-dir "$TINTRA_WIN_DIR" -L wine
  run_ctest e2e-1 --test-dir build/native -L e2e -E '^English\.' -I 1,,2
}
main_lane || echo "main 0 1 0" >>"$results"
for pid in "${lanes[@]}"; do wait "$pid"; done
for log in "${lane_logs[@]}"; do
  echo "== $(basename "$log")"
  cat "$log"
done

summary=()
passed=0
failed=0
while read -r name p f secs; do
  passed=$((passed + p))
  failed=$((failed + f))
  summary+=("$name: $p passed, $f failed ($secs s)")
done <"$results"
echo
echo "Wine: $TINTRA_WINE_BITS-bit build in $TINTRA_WIN_DIR"
echo "Time: setup $t_setup s, build $((t_build - t_setup)) s, tests $((SECONDS - t_env)) s (suites side by side; each suite's own time below)"
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
