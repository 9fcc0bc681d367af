#!/usr/bin/env bash
# The Win32 test window of one bitness under Wine, as CTest runs it:
#   window_test.sh 32|64 QVCODE WORK_FOLDER
# qvpruef_driver.exe works QVpruef.exe on a virtual display (wine_test.sh
# desktop); then the report of each sweep of sweeps.txt must equal, byte for
# byte, the one qvcode sweep writes on the same inputs.  Exit 77 (skipped) as
# wine_test.sh decides.
set -uo pipefail
readonly bits=${1:?bits} qvcode=${2:?qvcode} work=${3:?work folder}
readonly here=$(cd "$(dirname "$0")" && pwd)
readonly wine_test=$here/../../../component/wine/wine_test.sh sweeps=$here/sweeps.txt

fail() { echo "FAIL: $*"; exit 1; }
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

case $bits in
  32) dir=${QV_MINGW_X86_DIR:?} ;;
  64) dir=${QV_MINGW_X64_DIR:?} ;;
  *) fail "bitness must be 32 or 64, not '$bits'" ;;
esac
rm -rf "$work"
mkdir -p "$work/window" "$work/linux"
exe=$dir/testprog/win32/QVpruef.exe
[ -f "$exe" ] || exe=/nonexistent  # wine_test.sh skips or fails on the missing driver first

"$wine_test" desktop "$bits" testprog/win32/tests/qvpruef_driver.exe \
  "$([ -f "$exe" ] && winpath "$exe")" "$(winpath "$sweeps")" "$(winpath "$work/window")"
status=$?
[ $status -eq 0 ] || exit $status

unquote() { [ "$1" = '""' ] && echo "" || echo "$1"; }
compared=0
while read -r name store latFrom latTo latStep lonFrom lonTo lonStep tolerance cases; do
  case $name in '' | '#'*) continue ;; esac
  "$qvcode" sweep --store "$store" --report "$work/linux/$name.txt" \
    --lat-from "$(unquote "$latFrom")" --lat-to "$(unquote "$latTo")" --lat-step "$(unquote "$latStep")" \
    --lon-from "$(unquote "$lonFrom")" --lon-to "$(unquote "$lonTo")" --lon-step "$(unquote "$lonStep")" \
    --tolerance "$(unquote "$tolerance")" >/dev/null
  [ $? -le 1 ] || fail "qvcode sweep $name failed"
  cmp "$work/linux/$name.txt" "$work/window/$name.txt" ||
    fail "$name: the window's report differs from qvcode's ($work/window/$name.txt, $work/linux/$name.txt)"
  compared=$((compared + 1))
done <"$sweeps"
[ $compared -gt 0 ] || fail "no sweep in $sweeps"
echo "window: $compared reports equal qvcode's"
