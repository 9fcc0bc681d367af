#!/usr/bin/env bash
# One Wine test of converterQV.dll, or of another Windows test program, as
# CTest runs it:
#   wine_test.sh prefix              a fresh Wine prefix for the whole run
#   wine_test.sh shutdown            stops the prefix's wineserver
#   wine_test.sh STEP 32|64          STEP: registry, client, vbscript, jscript
#   wine_test.sh run 32|64 PROGRAM   PROGRAM (a path in the build tree) must
#                                    end with exit code 0
#   wine_test.sh desktop 32|64 PROGRAM [ARGUMENTS]
#                                    PROGRAM runs on a Windows desktop of its own
#                                    on a new virtual X display (Xvfb); its last
#                                    line must be "NAME: 0 failed"
# Environment: QV_WINE_PREFIX, and QV_MINGW_X86_DIR / QV_MINGW_X64_DIR, the
# build trees of the mingw-x86 and mingw-x64 presets.
#
# Exit 77 (skipped) when the DLL or program of that bitness has not been built
# (outside CI), or for 32 bits when this machine's kernel runs no 32-bit
# programs, so that 32-bit Wine cannot start at all.
set -uo pipefail

readonly here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_common.sh"

step=${1:?step}
bits=${2:-}

case $step in
  prefix)
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 300 "$wine64" wineboot --init >/dev/null 2>&1 || fail "wineboot could not set up $WINEPREFIX"
    timeout 120 "$wineserver" -w
    # Wine's own fonts (Tahoma, Marlett for the title bars, an outline "MS Sans
    # Serif") are found only in the prefix's Fonts folder.
    for f in /usr/share/wine/fonts/*; do
      [ -e "$f" ] && ln -sf "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    exit 0 ;;
  shutdown)
    "$wineserver" -k 2>/dev/null
    exit 0 ;;
esac

case $bits in
  32) wine=$wine32 dir=${QV_MINGW_X86_DIR:?} other=${QV_MINGW_X64_DIR:?} view=/reg:32 otherview=/reg:64 syskind=win32 ;;
  64) wine=$wine64 dir=${QV_MINGW_X64_DIR:?} other=${QV_MINGW_X86_DIR:?} view=/reg:64 otherview=/reg:32 syskind=win64 ;;
  *) fail "bitness must be 32 or 64, not '$bits'" ;;
esac

dll=$dir/component/com/converterQV.dll
needed=$dll
case $step in run | desktop) needed=$dir/${3:?path of the program in the build tree} ;; esac
if [ ! -f "$needed" ]; then
  [ "${CI:-}" = true ] && fail "$needed is missing: build the preset mingw-x${bits/32/86} first"
  skip "$needed is not built (cmake --build --preset mingw-x${bits/32/86})"
fi
[ "$bits" = 32 ] && need_32bit_wine
windll=$(winpath "$dll")
cases=$(winpath "$here/../../testdata/cases.txt")

# Whatever happens, the test leaves the DLL unregistered for the next one.
register() {
  trap 'timeout 120 "$wine" regsvr32 /u /s "$windll" >/dev/null 2>&1' EXIT
  timeout 120 "$wine" regsvr32 /s "$windll" || fail "regsvr32 $windll exited with $?"
}
unregister() { timeout 120 "$wine" regsvr32 /u /s "$windll" || fail "regsvr32 /u $windll exited with $?"; }

run_program() {  # PROGRAM [ARGUMENTS]: it must end with exit code 0
  local out status
  out=$(timeout 120 "$wine" "$(winpath "$1")" "${@:2}" 2>&1 | tr -d '\r')
  status=${PIPESTATUS[0]}
  echo "$out"
  [ "$status" -eq 0 ] || fail "$(basename "$1") exited with $status"
}

# The script hosts end with exit code 0 even after a script error: success is
# the script's own last line "<name>: 0 failed" and its exit code 0.  The
# scripts read the shared cases from the file named as their argument.
run_script() {  # NAME FILE
  local out status
  out=$(timeout 120 "$wine" cscript //nologo "$(winpath "$2")" "$cases" 2>&1 | tr -d '\r')
  status=${PIPESTATUS[0]}
  echo "$out"
  [ "$status" -eq 0 ] && [ "$(tail -n 1 <<<"$out")" = "$1: 0 failed" ] || fail "$1 client (exit code $status)"
}

case $step in
  registry)
    register
    expect_key "HKCR\\CLSID\\$clsid\\InprocServer32" $view "$windll"
    expect_key "HKCR\\CLSID\\$clsid\\InprocServer32" $view Apartment
    expect_key "HKCR\\CLSID\\$clsid\\ProgID" $view "$progid"
    expect_key "HKCR\\$progid\\CLSID" $sharedview "$clsid"
    expect_key "HKCR\\TypeLib\\$libid\\1.0\\409\\$syskind" $view "$windll"
    unregister
    expect_no_key "HKCR\\CLSID\\$clsid" $view
    expect_no_key "HKCR\\$progid" $sharedview
    expect_no_key "HKCR\\TypeLib\\$libid\\1.0\\409\\$syskind" $view

    # The ProgID key is shared with the other bitness's registration: it stays
    # while that one is registered, and goes with the last of the two.
    reg add "HKCR\\CLSID\\$clsid\\InprocServer32" /ve /d 'C:\other\converterQV.dll' /f $otherview >/dev/null ||
      fail "could not stand in for the other bitness's registration"
    register
    unregister
    expect_key "HKCR\\$progid\\CLSID" $sharedview "$clsid"
    expect_key "HKCR\\CLSID\\$clsid\\InprocServer32" $otherview 'C:\other\converterQV.dll'
    reg delete "HKCR\\CLSID\\$clsid" /f $otherview >/dev/null
    register
    unregister
    expect_no_key "HKCR\\$progid" $sharedview
    echo "registry: keys written, kept for the other bitness, and removed" ;;
  client)
    # The shared cases; the other bitness's DLL, when built, has its type
    # library and version resource checked as a file.
    otherdll=()
    [ -f "$other/component/com/converterQV.dll" ] && otherdll=("$(winpath "$other/component/com/converterQV.dll")")
    register
    run_program "$dir/component/wine/com_client.exe" "$cases" "${otherdll[@]}"
    unregister ;;
  vbscript)
    register
    run_script vbscript "$here/scripts/algorit_test.vbs"
    unregister ;;
  jscript)
    register
    run_script jscript "$here/scripts/algorit_test.js"
    unregister ;;
  run)
    run_program "$needed" ;;
  desktop)
    # A desktop of its own has its own display driver: the prefix's default
    # desktop may have started without a display.  The desktop's explorer
    # ends with 0 whatever the program does, so its last line tells.
    command -v xvfb-run >/dev/null || fail "xvfb-run is missing (scripts/install-deps installs xvfb)"
    out=$(timeout 240 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
      "$wine64" explorer "/desktop=qvtest$bits,1024x768" "$(winpath "$needed")" "${@:4}" 2>&1 | tr -d '\r')
    echo "$out"
    last=$(grep -E '^[A-Za-z_]+: [0-9]+ failed$' <<<"$out" | tail -n 1)
    [[ "$last" == *": 0 failed" ]] || fail "$(basename "$needed") did not pass${last:+ ($last)}" ;;
  *) fail "unknown step '$step'" ;;
esac
