#!/usr/bin/env bash
# The random-input soak alone, for longer than the test command runs it:
#   bash scripts/soak.sh [--minutes N] [--seed S]
# Uses the builds as they are (scripts/build.sh makes them).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
minutes=1
seed=${TINTRA_SOAK_SEED:-20261208}
while [[ $# -gt 0 ]]; do
  case $1 in
    --minutes) minutes=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) echo "usage: soak.sh [--minutes N] [--seed S]" >&2; exit 2 ;;
  esac
done
export TINTRA_PREFIX_NAME=${TINTRA_PREFIX_NAME:-wineprefix-soak}
# shellcheck source=scripts/env.sh
source "$here/env.sh"
cd "$TINTRA_ROOT"
tintra_xvfb_start
tintra_prefix_init
tintra_wineserver_start
export TINTRA_SOAK_SECONDS=$((minutes * 60)) TINTRA_SOAK_SEED=$seed
build/native/tests/e2e_tests --gtest_filter='Soak.*'
