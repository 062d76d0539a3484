#!/usr/bin/env bash
# Builds one Tintra MSI with wixl:
#   make-msi.sh ARCH VERSION EXE OUT.msi
# ARCH is x86 or x64, VERSION a.b.c.d. The release script and the installer
# test both use it; the test packs one exe under two versions to try an upgrade.
# With SOURCE_DATE_EPOCH set, every time in the MSI is that time and the
# package code follows from the contents, so the same inputs give the same bytes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [[ $# -ne 4 ]]; then
  echo "usage: make-msi.sh x86|x64 VERSION EXE OUT.msi" >&2
  exit 2
fi
arch=$1 version=$2 exe=$3 out=$4
case $arch in x86 | x64) ;; *) echo "make-msi.sh: ARCH is x86 or x64, not '$arch'" >&2; exit 2 ;; esac
if [[ ! $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)\.([0-9]+)$ ]]; then
  echo "make-msi.sh: VERSION is a.b.c.d, not '$version'" >&2
  exit 2
fi
# Windows Installer compares only a.b.c; every older a.b.c.* is replaced.
upgrade_below="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.$((BASH_REMATCH[3] + 1))"
[[ -f $exe ]] || { echo "make-msi.sh: no file $exe" >&2; exit 1; }

# The installed programs list links the about box's home page.
home_page=$(grep -h -o 'IDS_HOMEPAGE *"[^"]*"' "$here"/../app/resources/*.rc | head -n 1 | sed 's/^[^"]*"//; s/"$//')
[[ -n $home_page ]] || { echo "make-msi.sh: no IDS_HOMEPAGE in app/resources/*.rc" >&2; exit 1; }

# A new product code for each version and architecture (a major upgrade),
# yet the same one whenever the same version is packed again.
product_code=$(python3 -c '
import sys, uuid
print(str(uuid.uuid5(uuid.UUID("7C28316F-FDF6-4883-868F-BD5F6E5ACC62"), "Tintra " + sys.argv[1] + " " + sys.argv[2])).upper())
' "$version" "$arch")

# wixl finds sources only by relative names: pack from a staging folder.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/Tintra.exe"
cp "$here/../app/resources/Tintra.ico" "$stage/Tintra.ico"
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/Tintra.exe" "$stage/Tintra.ico"
fi
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
(cd "$stage" && wixl -a "$arch" -o "$out" \
  -D Version="$version" -D UpgradeBelow="$upgrade_below" -D Arch="$arch" -D ProductCode="$product_code" -D HomePage="$home_page" \
  -D ExeSource=Tintra.exe -D IconSource=Tintra.ico "$here/Tintra.wxs")
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
  code=$(python3 "$here/../scripts/release_tools.py" msi-stamp "$out")
  # Read back by msitools: the patched summary still parses, with those values.
  if ! msiinfo suminfo "$out" | grep -qxF "Revision number (UUID): $code"; then
    echo "make-msi.sh: the package code of $out does not read back" >&2
    exit 1
  fi
fi
