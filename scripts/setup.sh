#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root. Cheap when
# everything is there already: one dpkg-query, no apt.
set -euo pipefail

native_arch=$(dpkg --print-architecture)

packages=(
  cmake make g++ googletest
  # Several checkouts and builds of the same sources share one compiler cache.
  ccache
  # The fuzz targets: clang with its libFuzzer runtime.
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine
  libxfixes3:i386 libxi6:i386 libxrandr2:i386 libxrender1:i386 libxcursor1:i386
  libxinerama1:i386 libxcomposite1:i386 libxxf86vm1:i386
  xvfb xauth xdotool x11-apps x11-utils x11-xserver-utils imagemagick xclip
  fonts-ipafont-gothic locales
  # Release: the MSI installers are built with wixl (msitools reads them back
  # in the installer test); the zips are written by Python's zipfile.
  wixl msitools python3
  # Where the kernel runs no 32-bit code, Wine cannot start the i686 build:
  # the Windows suites then run from a 64-bit build under wine64.
  wine64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  "libxfixes3:$native_arch" "libxi6:$native_arch" "libxrandr2:$native_arch" "libxrender1:$native_arch"
  "libxcursor1:$native_arch" "libxinerama1:$native_arch" "libxcomposite1:$native_arch"
  "libxxf86vm1:$native_arch"
)

declare -A installed=()
while IFS='|' read -r name status; do
  # Packages that can be co-installed for several architectures carry the
  # native one in their name; the list names them without it.
  [[ $status == ii* ]] && installed[$name]=1 && installed[${name%:"$native_arch"}]=1
done < <(dpkg-query -W -f='${binary:Package}|${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true)

missing=()
for p in "${packages[@]}"; do
  # dpkg names packages of the native architecture without a qualifier
  # unless they can be co-installed with other architectures.
  [[ -n ${installed[$p]:-} || -n ${installed[${p%:"$native_arch"}]:-} ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "setup.sh: missing packages (run this script as root): ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "setup.sh: installing ${missing[*]}"
# A mirror in the middle of a sync fails one index now and then: try again,
# and go on with the indexes that did arrive when it keeps failing, since the
# install itself says whether anything it needs is missing.
for attempt in 1 2 3; do
  apt-get update -q && break
  echo "setup.sh: apt-get update failed (attempt $attempt)" >&2
  sleep $((attempt * 5))
done
for attempt in 1 2; do
  apt-get install -y -q --no-install-recommends "${missing[@]}" && exit 0
  apt-get update -q || true
done
# A security index of one architecture that stays broken leaves i386 and
# amd64 libraries at different versions, which multiarch cannot install
# together: take both from the point release alone, then restore the lists.
echo "setup.sh: installing from the point release without the security suite" >&2
alt=$(mktemp -d)
for f in /etc/apt/sources.list.d/*.sources; do
  [[ -e $f ]] && awk 'BEGIN { RS = ""; ORS = "\n\n" } !/debian-security/' "$f" >"$alt/$(basename "$f")"
done
[[ -s /etc/apt/sources.list ]] && grep -v debian-security /etc/apt/sources.list >"$alt/plain.list"
opts=(-o "Dir::Etc::SourceParts=$alt" -o Dir::Etc::SourceList=/dev/null)
rc=0
apt-get "${opts[@]}" update -q && apt-get "${opts[@]}" install -y -q --no-install-recommends "${missing[@]}" || rc=$?
apt-get update -q >/dev/null 2>&1 || true
rm -rf "$alt"
exit $rc
