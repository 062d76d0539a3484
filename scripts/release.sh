#!/usr/bin/env bash
# Makes the release files from the committed tree (HEAD), into dist/:
#   Tintra-<version>-x86.zip, Tintra-<version>-x64.zip   the exe, README.txt, LICENSE.txt
#   Tintra-<version>-x86.msi, Tintra-<version>-x64.msi   per-user installers
#   SHA256SUMS
# <version> is CMake's project version and the build number: TINTRA_BUILD_NUMBER
# when set, otherwise the number of commits up to HEAD.
#
# The sources are a fresh export of HEAD, built in build/release-x86 and
# build/release-x64 (Release, static runtime, stripped, no tests). Two runs on
# the same commit give the same bytes in every file: the time is the commit's
# (SOURCE_DATE_EPOCH) and no build path lands in the binaries.
#   --out DIR    instead of dist/
#   --work DIR   instead of build/ for the export and the two build trees
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)

out=$root/dist
work=$root/build
while [[ $# -gt 0 ]]; do
  case $1 in
    --out) out=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    *) sed -n '2,15p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
  esac
done
mkdir -p "$out" "$work"
out=$(cd "$out" && pwd)
work=$(cd "$work" && pwd)

bash "$here/setup.sh"
cd "$root"

commit=$(git rev-parse HEAD)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "release.sh: uncommitted changes are left out; this builds the commit $commit" >&2
fi
build_number=${TINTRA_BUILD_NUMBER:-$(git rev-list --count HEAD)}
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
# Messages in English and every time in UTC, whatever the caller's locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
jobs=${TINTRA_JOBS:-2}

src=$work/release-src
rm -rf "$src"
mkdir -p "$src"
git archive --format=tar "$commit" | tar -x -C "$src"
# Paths inside the export count as relative for the compiler cache.
export CCACHE_BASEDIR="$src"

declare -A toolchain=([x86]=mingw-i686.cmake [x64]=mingw-x86_64.cmake)
version=
for arch in x86 x64; do
  dir=$work/release-$arch
  rm -rf "$dir"
  echo "release.sh: building $arch in $dir"
  cmake -S "$src" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/${toolchain[$arch]}" \
    -DCMAKE_BUILD_TYPE=Release -DTINTRA_TESTS=OFF -DTINTRA_REPRODUCIBLE=ON \
    -DTINTRA_BUILD_NUMBER="$build_number" >"$work/release-configure-$arch.log" 2>&1 ||
    { cat "$work/release-configure-$arch.log"; exit 1; }
  cmake --build "$dir" -j"$jobs" --target Tintra
  v=$(cat "$dir/tintra-version.txt")
  # What the about box and the installed programs list show must be what the exe says.
  exe_version=$(python3 "$here/release_tools.py" version "$dir/Tintra.exe")
  if [[ $exe_version != "$v" ]]; then
    echo "release.sh: $arch exe has version $exe_version, the build $v" >&2
    exit 1
  fi
  version=$v
done

stage=$work/release-stage
rm -rf "$stage"
mkdir -p "$stage"
# Notepad of older Windows shows LF-only text as one line.
sed 's/$/\r/' "$src/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$src/LICENSE" >"$stage/LICENSE.txt"

files=()
rm -f "$out"/Tintra-*.zip "$out"/Tintra-*.msi "$out/SHA256SUMS"
for arch in x86 x64; do
  exe=$work/release-$arch/Tintra.exe
  zip=Tintra-$version-$arch.zip
  python3 "$here/release_tools.py" zip "$out/$zip" \
    Tintra.exe="$exe" README.txt="$stage/README.txt" LICENSE.txt="$stage/LICENSE.txt"
  msi=Tintra-$version-$arch.msi
  bash "$src/installer/make-msi.sh" "$arch" "$version" "$exe" "$out/$msi"
  files+=("$zip" "$msi")
done
(cd "$out" && sha256sum -- $(printf '%s\n' "${files[@]}" | LC_ALL=C sort) >SHA256SUMS)

echo "release.sh: Tintra $version from $commit in $out"
(cd "$out" && ls -l -- SHA256SUMS "${files[@]}")
