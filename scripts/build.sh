#!/usr/bin/env bash
# Configures and builds the native sanitizer build (build/native), the i686
# Windows build (build/win) and the x86_64 one (build/win64); where Wine runs
# only 64-bit code, the i686 build is the program alone. With --fuzz
# also the clang build of the fuzz targets (build/fuzz).
set -euo pipefail
# shellcheck source=scripts/env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$TINTRA_ROOT"

# Compiler and linker messages in English, whatever locale the tests use.
build_env=(env LANG=C.UTF-8 LC_ALL=C.UTF-8)
jobs=${TINTRA_JOBS:-2}

fuzz=
if [[ ${1:-} == --fuzz ]]; then
  fuzz=1
  shift
fi

build() {
  local preset=$1 dir=$2
  shift 2
  "${build_env[@]}" cmake --preset "$preset" "$@" >"$BUILD/configure-$preset.log" 2>&1 ||
    { cat "$BUILD/configure-$preset.log"; return 1; }
  "${build_env[@]}" cmake --build "$dir" -j"$jobs" "${targets[@]}"
}
targets=()

build native build/native -DTINTRA_WIN_BUILD_DIR="$TINTRA_WIN_DIR"
if [[ $TINTRA_WIN_PRESET == mingw ]]; then
  build mingw build/win -DTINTRA_TESTS=ON
  # The x86_64 exe ships too, and its Windows suite runs here as well.
  build mingw64 build/win64 -DTINTRA_TESTS=ON
else
  # The i686 tests cannot run here: build the program only, the tests in 64 bits.
  build mingw build/win -DTINTRA_TESTS=OFF
  build "$TINTRA_WIN_PRESET" "$TINTRA_WIN_DIR"
fi
if [[ -n $fuzz ]]; then
  targets=(--target tintra_fuzzers)
  build fuzz build/fuzz
fi
