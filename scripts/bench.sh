#!/usr/bin/env bash
# Builds and runs the benchmarks: the native core ones optimised, the Windows
# ones under Wine on a virtual display of their own. Each prints its figure
# next to a floor measured in the same run. --no-build skips the builds;
# names (bench_color, win_sampling, ...) pick benchmarks.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

build=1
if [[ ${1:-} == --no-build ]]; then
  build=
  shift
fi
wanted=("$@")
want() {
  [[ ${#wanted[@]} -eq 0 ]] && return 0
  local w
  for w in "${wanted[@]}"; do [[ $w == "$1" ]] && return 0; done
  return 1
}

if [[ -n $build ]]; then
  bash "$here/setup.sh"
  bash "$here/build.sh"
fi
export TINTRA_PREFIX_NAME=${TINTRA_PREFIX_NAME:-wineprefix-bench}
# shellcheck source=scripts/env.sh
source "$here/env.sh"
cd "$TINTRA_ROOT"
if [[ -n $build ]]; then
  cmake --preset native-release >/dev/null
  cmake --build build/native-release -j"$(nproc)" >/dev/null
fi

rc=0
for exe in build/native-release/bench/bench_*; do
  [[ -x $exe ]] || continue
  name=$(basename "$exe")
  want "$name" || continue
  echo "== $name"
  timeout 900 "$exe" || rc=1
done

# A full-HD screen: the frozen screen's copy is measured at that size.
TINTRA_XVFB_SCREEN=1920x1080x24 tintra_xvfb_start
tintra_prefix_init
tintra_wineserver_start
for exe in "$TINTRA_WIN_DIR"/bench/win_*.exe; do
  [[ -f $exe ]] || continue
  name=$(basename "$exe" .exe)
  want "$name" || continue
  echo "== $name (Wine, display $DISPLAY)"
  timeout 900 wine "$exe" </dev/null || rc=1
  if [[ $name == win_sampling ]]; then
    # The calls into the window system one move makes, from Wine's relay
    # log between the markers the --trace run writes (its own SendMessage
    # and ScreenToClient that stand in for the mouse are left out).
    log="$BUILD/win_sampling-trace.log"
    WINEDEBUG=+relay,+debugstr timeout 900 wine "$exe" --trace 20 </dev/null >"$log" 2>&1 || rc=1
    awk -v moves=20 '
      /OutputDebugStringA "tintra-trace-begin/ { block++; on = 1; next }
      /OutputDebugStringA "tintra-trace-end/ { on = 0 }
      on && /:Call (user32|gdi32|win32u)\./ && !/SendMessageW|ScreenToClient/ { calls[block]++ }
      END {
        split("1x1 move|9x9 mean move|floor without GetPixel", what, "|")
        for (b = 1; b <= 3; b++) printf "window-system calls per %s: %.1f\n", what[b], calls[b] / moves
      }' "$log"
  fi
done
exit "$rc"
