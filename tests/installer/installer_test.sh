#!/usr/bin/env bash
# The MSI under Wine, the real thing: msiexec installs, starts, uninstalls and
# upgrades Tintra in the test prefix, and the files, the shortcut, the
# installed-programs entry and the user's data are read from outside.
#   installer_test.sh WORKDIR msis             pack $TINTRA_EXE as version N, N+1 and a next a.b.c
#   installer_test.sh WORKDIR install-uninstall
#   installer_test.sh WORKDIR upgrade
# Runs inside the test command's environment (scripts/env.sh: WINEPREFIX,
# DISPLAY, a persistent Wine server, TINTRA_EXE, TINTRA_PROBE).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)

work=${1:?work directory}
phase=${2:?phase}
mkdir -p "$work"

for v in WINEPREFIX TINTRA_EXE TINTRA_PROBE TINTRA_WINE_BITS; do
  [[ -n ${!v:-} ]] || { echo "installer_test.sh: $v is not set (run from scripts/test.sh)"; exit 1; }
done
# The Start menu entries stay in the prefix, not among the host's menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"
[[ $TINTRA_WINE_BITS == 64 ]] && arch=x64 || arch=x86

failures=0
checks=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  checks=$((checks + 1))
  if "$@"; then
    echo "  ok    $what"
  else
    echo "  FAIL  $what"
    failures=$((failures + 1))
  fi
}
finish() {
  echo "installer_test.sh $phase: $((checks - failures)) of $checks checks passed"
  [[ $failures -eq 0 ]]
}
is_file() { [[ -f $1 ]]; }
is_absent() { [[ ! -e $1 ]]; }
same_bytes() { cmp -s "$1" "$2"; }
refused() { ! "$@"; }

msi_n=$work/Tintra-N-$arch.msi
msi_n1=$work/Tintra-N1-$arch.msi
msi_next=$work/Tintra-next-$arch.msi

if [[ $phase == msis ]]; then
  version=$(python3 "$root/scripts/release_tools.py" version "$TINTRA_EXE") || exit 1
  IFS=. read -r a b c d <<<"$version"
  # Version N+1 carries a trailing marker, so an upgrade that kept the old exe shows.
  cp "$TINTRA_EXE" "$work/Tintra-N.exe"
  { cat "$TINTRA_EXE"; printf 'Tintra installer test: version N+1\n'; } >"$work/Tintra-N1.exe"
  bash "$root/installer/make-msi.sh" "$arch" "$version" "$work/Tintra-N.exe" "$msi_n" || exit 1
  bash "$root/installer/make-msi.sh" "$arch" "$a.$b.$c.$((d + 1))" "$work/Tintra-N1.exe" "$msi_n1" || exit 1
  # And a next a.b.c, which Windows Installer alone tells apart from the others.
  bash "$root/installer/make-msi.sh" "$arch" "$a.$b.$((c + 1)).0" "$work/Tintra-N1.exe" "$msi_next" || exit 1
  printf '%s\n%s\n%s\n' "$version" "$a.$b.$c.$((d + 1))" "$a.$b.$((c + 1)).0" >"$work/versions"
  ls -l "$msi_n" "$msi_n1" "$msi_next"
  exit 0
fi

[[ -f $msi_n && -f $msi_n1 && -f $msi_next && -f $work/versions ]] || { echo "installer_test.sh: no MSIs in $work (phase msis)"; exit 1; }
{ read -r version_n; read -r version_n1; read -r version_next; } <"$work/versions"

# Path conversions without winepath, which runs the 32-bit loader where
# only 64-bit Wine works: Z: is the Linux root, other drives are dosdevices.
wpath() { printf 'Z:%s' "${1//\//\\}"; }
upath() {
  local p=$1 drive
  drive=${p:0:2}
  printf '%s/dosdevices/%s%s' "$WINEPREFIX" "${drive,,}" "$(tr '\\' / <<<"${p:2}")"
}

# Installed-programs entries and installer product records named Tintra, one
# "key<TAB>name<TAB>data" line per value, read after every msiexec in one Wine
# process (each start of one costs about a second on a loaded machine).
ENTRIES=
refresh_entries() {
  local k='Software\Microsoft\Windows\CurrentVersion\Uninstall'
  ENTRIES=$(wine cmd /c "reg query HKCU\\$k /s & reg query HKLM\\$k /s & reg query HKLM\Software\Wow6432Node\\$k /s & reg query HKCU\Software\Microsoft\Installer\Products /s" </dev/null 2>/dev/null |
    tr -d '\r' | awk '
      /^HK/ { key = $0; next }
      NF >= 3 { name = $1; sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]*/, ""); print key "\t" name "\t" $0 }' |
    awk -F'\t' '
      { lines[NR] = $0; keys[NR] = $1 }
      ($2 == "DisplayName" || $2 == "ProductName") && $3 == "Tintra" { tintra[$1] = 1 }
      END { for (i = 1; i <= NR; i++) if (keys[i] in tintra) print lines[i] }')
}
entry_count() { [[ -z $ENTRIES ]] && echo 0 || awk -F'\t' '$2 == "DisplayName"' <<<"$ENTRIES" | wc -l; }
entry_value() { awk -F'\t' -v n="$1" '$2 == n { print $3; exit }' <<<"$ENTRIES"; }
has_entries() { [[ $(entry_count) -eq $1 ]]; }
entry_is() { [[ $(entry_value "$1") == "$2" ]]; }
# Windows shows an MSI product's icon from the copy the installer keeps of ARPPRODUCTICON.
product_icon_is() {
  local icon
  icon=$(entry_value ProductIcon)
  [[ -n $icon ]] && cmp -s "$(upath "$icon")" "$1"
}

msiexec() {  # msiexec /i|/x MSI: silent, with a log kept for a failure
  local log rc
  log="$work/msiexec-$(basename "$2" .msi)-${1#/}.log"
  wine msiexec "$1" "$(wpath "$2")" /qn /l*v "$(wpath "$log")" </dev/null >/dev/null 2>&1
  rc=$?
  refresh_entries
  return $rc
}
# Wine's folders of this user, as Linux paths.
IFS='|' read -r local_appdata appdata profile < <(wine cmd /c 'echo %LOCALAPPDATA%^|%APPDATA%^|%USERPROFILE%' </dev/null 2>/dev/null | tr -d '\r')
local_appdata=$(upath "$local_appdata")
appdata=$(upath "$appdata")
profile=$(upath "$profile")
[[ -d $local_appdata && -d $appdata && -d $profile ]] || { echo "installer_test.sh: no user folders in $WINEPREFIX"; exit 1; }
install_dir=$local_appdata/Programs/Tintra
installed_exe=$install_dir/Tintra.exe
shortcut=$appdata/Microsoft/Windows/Start\ Menu/Programs/Tintra.lnk
settings_key='HKCU\SOFTWARE\ZORVEK\Tintra'

settings_have() { wine reg query "$settings_key" /v "$1" </dev/null >/dev/null 2>&1; }
files_in() { find "$1" -mindepth 1 2>/dev/null | wc -l; }
folder_holds() { [[ $(files_in "$1") -eq $2 ]]; }

# Leftovers of an earlier, interrupted run would hide what this one does.
clean_slate() {
  refresh_entries
  if [[ -n $ENTRIES ]]; then
    msiexec /x "$msi_next" || true
    msiexec /x "$msi_n1" || true
    msiexec /x "$msi_n" || true
  fi
  rm -rf "$install_dir" "$profile/Documents/installer-test.txt"
  wine reg delete "$settings_key" /f </dev/null >/dev/null 2>&1 || true
}

# The installed program, started as a user would: its Wine process and main window.
PID=
HWND=
start_installed() {
  wine "$installed_exe" -n </dev/null >/dev/null 2>&1 &
  PID=$!
  HWND=
  local xid= i w p cls vis x
  for ((i = 0; i < 300; i++)); do
    # The caption names the open document: "(無題) - Tintra".
    xid=$(xdotool search --all --onlyvisible --pid "$PID" --name ' - Tintra$' 2>/dev/null | head -n 1) || true
    [[ -n $xid ]] && break
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
  done
  [[ -n $xid ]] || return 1
  # find: hwnd pid class visible xwindow title; the X window is the one xdotool saw.
  while IFS=$'\t' read -r w p cls vis x _; do
    [[ $x =~ ^(0x)?[0-9A-Fa-f]+$ ]] && ((16#${x#0x} == xid)) && HWND=$w
  done < <(probe find)
  [[ -n $HWND ]]
}
probe() { wine "$TINTRA_PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Opens the about box from the Help menu and reads its version label.
about_says() {
  [[ -n $HWND ]] || return 1
  local id box= i
  # menus: depth kind id checked enabled radio caption
  id=$(probe menus "$HWND" | awk -F'\t' '$7 == "バージョン情報(&A)..." { print $3; exit }')
  [[ -n $id ]] || return 1
  probe command "$HWND" "$id" >/dev/null
  for ((i = 0; i < 100; i++)); do
    box=$(probe find 'Tintra について' | cut -f1 | head -n 1)
    [[ -n $box ]] && break
    sleep 0.1
  done
  [[ -n $box ]] || return 1
  local said
  said=$(probe controls "$box" | awk -F'\t' '$5 ~ /^Version / { print $5; exit }')
  probe post "$box" 16 0 0 >/dev/null  # WM_CLOSE
  [[ $said == "Version $1" ]]
}

# Closes the main window (WM_CLOSE), so the program writes its settings, and
# waits until it has ended.
close_installed() {
  [[ -n $PID ]] || return 1
  local i
  [[ -n $HWND ]] && probe post "$HWND" 16 0 0 >/dev/null
  for ((i = 0; i < 100; i++)); do
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$PID" 2>/dev/null; then
    kill "$PID" 2>/dev/null
    wait "$PID" 2>/dev/null
    PID=
    return 1
  fi
  wait "$PID" 2>/dev/null
  PID=
}

case $phase in
  install-uninstall)
    clean_slate
    check "msiexec /i $arch $version_n /qn succeeds" msiexec /i "$msi_n"
    check "the exe is in LocalAppData\\Programs\\Tintra" same_bytes "$installed_exe" "$work/Tintra-N.exe"
    check "the Start menu has the Tintra shortcut" is_file "$shortcut"
    check "one installed-programs entry" has_entries 1
    check "the entry's publisher is ZORVEK" entry_is Publisher ZORVEK
    check "the entry's version is $version_n" entry_is DisplayVersion "$version_n"
    check "the entry's web page is the about box's" entry_is URLInfoAbout "https://tintra.example.org/"
    check "the entry's icon is the program's" product_icon_is "$root/app/resources/Tintra.ico"

    check "the installed exe starts and shows its window" start_installed
    check "its about box says Version $version_n, as the entry" about_says "$version_n"
    check "it closes" close_installed
    check "the program wrote its settings" settings_have ZoomWindow
    # The user's data meanwhile: a list beside the exe and one in Documents.
    printf '255,128,0,"orange"\r\n' >"$install_dir/my-colours.txt"
    mkdir -p "$profile/Documents"
    printf '18,52,86,"blue"\r\n' >"$profile/Documents/installer-test.txt"

    check "msiexec /x /qn succeeds" msiexec /x "$msi_n"
    check "the exe is gone" is_absent "$installed_exe"
    check "the shortcut is gone" is_absent "$shortcut"
    check "the installed-programs entry is gone" has_entries 0
    check "only the user's list is left in the program folder" folder_holds "$install_dir" 1
    check "the list beside the exe is kept" is_file "$install_dir/my-colours.txt"
    check "the list in Documents is kept" is_file "$profile/Documents/installer-test.txt"
    check "the settings are kept" settings_have ZoomWindow

    clean_slate
    finish
    ;;
  upgrade)
    clean_slate
    check "install $version_n" msiexec /i "$msi_n"
    check "version $version_n's exe is installed" same_bytes "$installed_exe" "$work/Tintra-N.exe"
    wine reg add "$settings_key" /v HexOrder /d 1 /f </dev/null >/dev/null 2>&1
    check "upgrade to $version_n1" msiexec /i "$msi_n1"
    check "the exe is replaced by version $version_n1's" same_bytes "$installed_exe" "$work/Tintra-N1.exe"
    check "the program folder holds one exe and nothing else" folder_holds "$install_dir" 1
    check "one installed-programs entry" has_entries 1
    check "the entry is version $version_n1" entry_is DisplayVersion "$version_n1"
    check "the shortcut is there" is_file "$shortcut"
    check "the settings survive the upgrade" settings_have HexOrder
    check "upgrade to $version_next" msiexec /i "$msi_next"
    check "one installed-programs entry, version $version_next" entry_is DisplayVersion "$version_next"
    check "still one entry" has_entries 1
    check "$version_n does not install over $version_next" refused msiexec /i "$msi_n"
    check "still $version_next, one entry" entry_is DisplayVersion "$version_next"
    check "still the one exe" folder_holds "$install_dir" 1
    check "uninstall $version_next" msiexec /x "$msi_next"
    check "nothing is left" is_absent "$install_dir"
    check "no entry is left" has_entries 0
    clean_slate
    finish
    ;;
  *)
    echo "installer_test.sh: unknown phase $phase"
    exit 2
    ;;
esac
