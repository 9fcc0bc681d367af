#!/usr/bin/env bash
# The Win32 test window of one bitness under Wine, as CTest runs it:
#   window_test.sh 32|64 QVCODE WORK_FOLDER
# qvpruef_driver.exe works QVpruef.exe on a virtual display (wine_test.sh
# desktop), at 96 dpi and, in 64 bits, at 144; then the report of each sweep
# of sweeps.txt must equal, byte for byte, the one qvcode sweep writes on the
# same inputs; and --version answers with the project's version.  Exit 77
# (skipped) as wine_test.sh decides.
set -uo pipefail
readonly bits=${1:?bits} qvcode=${2:?qvcode} work=${3:?work folder}
readonly here=$(cd "$(dirname "$0")" && pwd)
readonly wine_test=$here/../../../component/wine/wine_test.sh sweeps=$here/sweeps.txt
source "$here/../../../component/wine/wine_common.sh"

case $bits in
  32) dir=${QV_MINGW_X86_DIR:?} ;;
  64) dir=${QV_MINGW_X64_DIR:?} ;;
  *) fail "bitness must be 32 or 64, not '$bits'" ;;
esac
exe=$dir/testprog/win32/QVpruef.exe
# The screen's dpi for the programs that start now.
set_dpi() {
  reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null &&
    reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD \
      /d "$1" /f >/dev/null
}
unquote() { [ "$1" = '""' ] && echo "" || echo "$1"; }
rm -rf "$work"
mkdir -p "$work/linux"
while read -r name store latFrom latTo latStep lonFrom lonTo lonStep tolerance cases; do
  case $name in '' | '#'*) continue ;; esac
  "$qvcode" sweep --store "$store" --report "$work/linux/$name.txt" \
    --lat-from "$(unquote "$latFrom")" --lat-to "$(unquote "$latTo")" --lat-step "$(unquote "$latStep")" \
    --lon-from "$(unquote "$lonFrom")" --lon-to "$(unquote "$lonTo")" --lon-step "$(unquote "$lonStep")" \
    --tolerance "$(unquote "$tolerance")" >/dev/null
  [ $? -le 1 ] || fail "qvcode sweep $name failed"
done <"$sweeps"
[ -n "$(ls "$work/linux")" ] || fail "no sweep in $sweeps"

# 96 dpi, and for 64 bits also 144 dpi (a screen at 150 %).
dpis=(96)
[ "$bits" = 64 ] && dpis+=(144)
for dpi in "${dpis[@]}"; do
  mkdir -p "$work/window$dpi"
  # The prefix is shared: however this script ends, the next test finds 96.
  if [ "$dpi" != 96 ]; then
    trap 'set_dpi 96' EXIT
    trap 'exit 1' INT TERM HUP  # a signal, too, ends through the EXIT trap
    set_dpi "$dpi" || fail "cannot set the screen's dpi to $dpi"
  fi
  "$wine_test" desktop "$bits" testprog/win32/tests/qvpruef_driver.exe \
    "$([ -f "$exe" ] && winpath "$exe")" "$(winpath "$sweeps")" "$(winpath "$work/window$dpi")"
  status=$?
  if [ "$dpi" != 96 ]; then
    trap - EXIT
    set_dpi 96 || fail "cannot set the screen's dpi back to 96"
  fi
  [ $status -eq 0 ] || exit $status
  for expected in "$work"/linux/*.txt; do
    got=$work/window$dpi/$(basename "$expected")
    cmp "$expected" "$got" || fail "$(basename "$expected" .txt) at $dpi dpi: the window's report differs from qvcode's"
  done
  echo "window at $dpi dpi: $(ls "$work/linux" | wc -l) reports equal qvcode's"
done

# --version without a window, from the project's one version.
wine=$wine64
[ "$bits" = 32 ] && wine=$wine32
version=$(timeout 60 "$wine" "$(winpath "$exe")" --version 2>&1 | tr -d '\r')
[ "$version" = "QVpruef (Quorvel) $("$qvcode" --version | sed 's/.* //')" ] || fail "QVpruef.exe --version says '$version'"
# Redirected from a command prompt, the answer lands in the file.
rm -f "$work/version.txt"
timeout 60 "$wine" cmd /c "$(winpath "$exe") --version > $(winpath "$work")\\version.txt" </dev/null >/dev/null 2>&1
[ "$(tr -d '\r' <"$work/version.txt" 2>/dev/null)" = "$version" ] || fail "QVpruef.exe --version > file wrote '$(cat "$work/version.txt" 2>/dev/null)'"
echo "$version"
