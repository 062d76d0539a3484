# shellcheck shell=bash
# Sourced by the other scripts: the build root, the Japanese locale, the Wine
# prefix and the functions that start and stop the virtual display and the
# Wine server. Installs tintra_cleanup as the EXIT trap, so whatever these
# functions started is stopped however the script ends.
#
# Each script has its own prefix (TINTRA_PREFIX_NAME, set before sourcing:
# test.sh, run.sh, bench.sh and screenshots.sh each have one; by hand it is
# "wineprefix"), so one never stops the Wine server of another. Two runs of
# the same script take turns through a lock on the prefix.

TINTRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$TINTRA_ROOT/build"
export TINTRA_ROOT BUILD
mkdir -p "$BUILD"
# Paths inside the checkout count as relative for the compiler cache, so
# every checkout of the same sources shares its entries.
export CCACHE_BASEDIR="$TINTRA_ROOT"
# Debug information names the build directory, which by default makes every
# checkout's -g objects its own; the tests do not read that name.
export CCACHE_NOHASHDIR=1

# GetACP() answers 932 only with a real glibc locale; LANG alone gives 1252.
if [[ ! -e $BUILD/locale/ja_JP.UTF-8/LC_CTYPE ]]; then
  mkdir -p "$BUILD/locale"
  localedef -i ja_JP -f UTF-8 "$BUILD/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
  if [[ ! -e $BUILD/locale/ja_JP.UTF-8/LC_CTYPE ]]; then
    echo "env.sh: localedef failed for ja_JP.UTF-8 (is the locales package installed?)" >&2
  fi
fi
export LOCPATH="$BUILD/locale"
# This shell itself read LOCPATH at start and would warn that it cannot switch.
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null

# Where the kernel runs no 32-bit code (execve of i386 gives ENOEXEC), no
# Wine can run the i686 build: the Windows suites then run from the x86_64
# build under wine64 in a 64-bit prefix. TINTRA_WINE_BITS=32|64 overrides.
if [[ -z ${TINTRA_WINE_BITS:-} ]]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then TINTRA_WINE_BITS=32; else TINTRA_WINE_BITS=64; fi
fi
if [[ $TINTRA_WINE_BITS == 64 ]]; then
  TINTRA_WIN_PRESET=mingw64
  TINTRA_WIN_DIR="$BUILD/win64"
  export WINEARCH=win64 WINEPREFIX="$BUILD/${TINTRA_PREFIX_NAME:-wineprefix}64"
  # Debian's wine script always picks the 32-bit loader when it is installed.
  mkdir -p "$BUILD/bin"
  if [[ ! -x $BUILD/bin/wine ]]; then
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$BUILD/bin/wine"
    chmod +x "$BUILD/bin/wine"
  fi
  case ":$PATH:" in *":$BUILD/bin:"*) ;; *) PATH="$BUILD/bin:$PATH" ;; esac
  export PATH
else
  TINTRA_WIN_PRESET=mingw
  TINTRA_WIN_DIR="$BUILD/win"
  export WINEARCH=win32 WINEPREFIX="$BUILD/${TINTRA_PREFIX_NAME:-wineprefix}"
fi
export TINTRA_WINE_BITS TINTRA_WIN_PRESET TINTRA_WIN_DIR
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Preset values win, so the harness can be pointed at another build.
export TINTRA_EXE="${TINTRA_EXE:-$TINTRA_WIN_DIR/Tintra.exe}"
export TINTRA_PROBE="${TINTRA_PROBE:-$TINTRA_WIN_DIR/tests/e2e/probe/tintra_probe.exe}"

TINTRA_PIDS=()
TINTRA_XVFB_PID=
TINTRA_WINESERVER_STARTED=
TINTRA_PREFIX_LOCK=

# Remember a process to stop at exit.
tintra_track() { TINTRA_PIDS+=("$@"); }

# Holds the prefix for this script until it exits; waits while another live
# script holds it. A directory, not flock: Wine's processes inherit open
# files and would keep a lock after the script is gone.
tintra_prefix_lock() {
  [[ -n $TINTRA_PREFIX_LOCK ]] && return 0
  local lock="$WINEPREFIX.lock" owner said=
  while ! mkdir "$lock" 2>/dev/null; do
    owner=$(cat "$lock/pid" 2>/dev/null || true)
    if [[ -n $owner ]] && ! kill -0 "$owner" 2>/dev/null; then
      rm -rf "$lock"
      continue
    fi
    [[ -n $said ]] || echo "env.sh: waiting for process ${owner:-?}, which uses $WINEPREFIX" >&2
    said=1
    sleep 1
  done
  echo $$ >"$lock/pid"
  TINTRA_PREFIX_LOCK=$lock
}

tintra_prefix_init() {
  tintra_prefix_lock
  local stamp="$WINEPREFIX/.tintra-prefix-done"
  [[ -f $stamp ]] && return 0
  echo "env.sh: creating the Wine prefix $WINEPREFIX"
  # A server left running with -p would never let 'wineserver -w' return.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wine wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -w
  # Under the UTF-8 locale, or reg garbles the Japanese value names.
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$key" /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1 </dev/null
  wine reg add "$key" /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1 </dev/null
  wine reg add "$key" /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1 </dev/null
  wineserver -w
  if ! grep -q 'IPAPGothic' "$WINEPREFIX/system.reg"; then
    echo "env.sh: the font substitutes did not reach $WINEPREFIX/system.reg" >&2
    return 1
  fi
  touch "$stamp"
}

# Starts Xvfb on a free display and exports DISPLAY. The server picks the
# number itself (-displayfd), so scripts starting side by side never share one.
tintra_xvfb_start() {
  local file="$BUILD/xvfb-display.$BASHPID" n= i
  rm -f "$file"
  Xvfb -displayfd 3 -screen 0 "${TINTRA_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$file" >"$BUILD/xvfb.$BASHPID.log" 2>&1 &
  TINTRA_XVFB_PID=$!
  for ((i = 0; i < 200; i++)); do
    n=$(head -n 1 "$file" 2>/dev/null || true)
    if [[ -n $n ]] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
      rm -f "$file"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$TINTRA_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill "$TINTRA_XVFB_PID" 2>/dev/null || true
  wait "$TINTRA_XVFB_PID" 2>/dev/null || true
  TINTRA_XVFB_PID=
  echo "env.sh: could not start Xvfb" >&2
  return 1
}

# A fresh persistent server for this prefix: an old session that once ran a
# program without DISPLAY cannot create windows any more. The warm-up starts
# Wine's background processes now, so they do not hold a test's output pipe.
tintra_wineserver_start() {
  tintra_prefix_lock
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p
  TINTRA_WINESERVER_STARTED=1
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Moves this script to an English Windows: a prefix of its own, made under
# en_US.UTF-8 (code page 1252, English user interface language). The Wine
# server of the prefix used so far is stopped and its lock released first;
# then tintra_prefix_init and tintra_wineserver_start as for the first.
tintra_use_english() {
  if [[ ! -e $BUILD/locale/en_US.UTF-8/LC_CTYPE ]]; then
    localedef -i en_US -f UTF-8 "$BUILD/locale/en_US.UTF-8" >/dev/null 2>&1 || true
    if [[ ! -e $BUILD/locale/en_US.UTF-8/LC_CTYPE ]]; then
      echo "env.sh: localedef failed for en_US.UTF-8" >&2
      return 1
    fi
  fi
  if [[ -n $TINTRA_WINESERVER_STARTED ]]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    TINTRA_WINESERVER_STARTED=
  fi
  if [[ -n $TINTRA_PREFIX_LOCK ]]; then
    rm -rf "$TINTRA_PREFIX_LOCK"
    TINTRA_PREFIX_LOCK=
  fi
  { export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8; } 2>/dev/null
  export WINEPREFIX="$WINEPREFIX-en"
}

tintra_cleanup() {
  local pid
  for pid in "${TINTRA_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${TINTRA_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  TINTRA_PIDS=()
  if [[ -n $TINTRA_WINESERVER_STARTED ]]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    TINTRA_WINESERVER_STARTED=
  fi
  if [[ -n $TINTRA_PREFIX_LOCK ]]; then
    rm -rf "$TINTRA_PREFIX_LOCK"
    TINTRA_PREFIX_LOCK=
  fi
  if [[ -n $TINTRA_XVFB_PID ]]; then
    kill "$TINTRA_XVFB_PID" 2>/dev/null || true
    wait "$TINTRA_XVFB_PID" 2>/dev/null || true
    TINTRA_XVFB_PID=
  fi
}

tintra_on_exit() {
  local rc=$?
  tintra_cleanup
  exit "$rc"
}
trap tintra_on_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
