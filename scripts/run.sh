#!/usr/bin/env bash
# Builds Tintra and runs it under Wine: on $DISPLAY when there is one,
# otherwise on a virtual display, with a screenshot in build/screenshot.png.
# --shot (or CI=true): always the virtual display, and stop after the
# screenshot. Other arguments go to the program.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

shot=
if [[ ${1:-} == --shot ]]; then
  shot=1
  shift
fi
[[ ${CI:-} == true ]] && shot=1

bash "$here/setup.sh"
bash "$here/build.sh"
# A prefix of its own, so a test run never stops this Wine server, nor this one the tests'.
export TINTRA_PREFIX_NAME=${TINTRA_PREFIX_NAME:-wineprefix-run}
# shellcheck source=scripts/env.sh
source "$here/env.sh"

virtual=
if [[ -n $shot || -z ${DISPLAY:-} ]]; then
  virtual=1
  tintra_xvfb_start
fi
tintra_prefix_init
tintra_wineserver_start

wine "$TINTRA_EXE" "$@" &
pid=$!
tintra_track "$pid"

if [[ -n $virtual ]]; then
  xid=
  for ((i = 0; i < 300; i++)); do
    kill -0 "$pid" 2>/dev/null || { echo "run.sh: Tintra exited before showing its window" >&2; exit 1; }
    xid=$(xdotool search --all --pid "$pid" --name 'Tintra' 2>/dev/null | head -n 1) || true
    [[ -n $xid ]] && break
    sleep 0.1
  done
  [[ -n $xid ]] || { echo "run.sh: no Tintra window within 30 s" >&2; exit 1; }
  # Without a window manager the X geometry is the window's own, frame included.
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$xid")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$BUILD/screenshot.png"
  echo "run.sh: screenshot of the window in $BUILD/screenshot.png (display $DISPLAY)"
  if [[ -n $shot ]]; then
    exit 0
  fi
  echo "run.sh: Tintra is running on the virtual display $DISPLAY; Ctrl+C stops it"
fi

rc=0
wait "$pid" || rc=$?
# Already ended: nothing for the exit trap to stop.
TINTRA_PIDS=()
exit "$rc"
