#!/usr/bin/env bash
# Builds everything and runs every suite: the native core tests (with the
# sanitizers), the Windows suites under Wine, and the end-to-end tests that
# drive the real Tintra.exe. All Wine runs share one virtual display and one
# Wine server session. Closes with "N passed, M failed" (ctest test counts).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SECONDS=0

bash "$here/setup.sh" || { echo "test.sh: setup failed"; exit 1; }
t_setup=$SECONDS
if ! bash "$here/build.sh"; then
  echo "test.sh: build failed"
  echo "0 passed, 1 failed"
  exit 1
fi
t_build=$SECONDS

# shellcheck source=scripts/env.sh
source "$here/env.sh"
cd "$TINTRA_ROOT" || exit 1
tintra_xvfb_start || exit 1
tintra_prefix_init || exit 1
tintra_wineserver_start
t_env=$SECONDS

passed=0
failed=0
summary=()

run_ctest() {
  local name=$1
  shift
  local log="$BUILD/ctest-$name.log" start=$SECONDS
  echo "== $name: ctest $*"
  ctest "$@" --output-on-failure --timeout 600 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]} p=0 f=0 line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    f=${BASH_REMATCH[1]}
    p=$((BASH_REMATCH[2] - f))
  elif ! grep -q 'No tests were found' "$log"; then
    f=1  # ctest itself failed
  fi
  # A failure ctest does not count (a crash of ctest, a test that did not run) still fails the run.
  if [[ $rc -ne 0 && $f -eq 0 ]]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  summary+=("$name: $p passed, $f failed ($((SECONDS - start)) s)")
}

run_ctest native-core --test-dir build/native -L core
run_ctest wine --test-dir "$TINTRA_WIN_DIR" -L wine
run_ctest e2e --test-dir build/native -L e2e

echo
echo "Wine: $TINTRA_WINE_BITS-bit build in $TINTRA_WIN_DIR"
echo "Time: setup $t_setup s, build $((t_build - t_setup)) s, display and Wine $((t_env - t_build)) s, tests $((SECONDS - t_env)) s"
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
