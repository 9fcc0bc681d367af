#!/usr/bin/env bash
# The Windows installer under Wine, as CTest runs it (wine.installer):
#   install_test.sh PACKAGE_FOLDER VBSCRIPT CASES
# A silent install; then the files, the Start-menu entry and the registry
# keys of both DLLs are there; VBSCRIPT, run by the 64-bit cscript and by the
# 32-bit one on the shared CASES, calls algorit through the installed DLLs; a silent uninstall,
# through the command listed under installed programs; then all of it is gone.
# Environment: QV_WINE_PREFIX.  Exit 77 (skipped) when the installer has not
# been built (outside CI), or when this machine runs no 32-bit programs: the
# installer is one.
set -uo pipefail
readonly package=${1:?package folder} vbscript=${2:?VBScript} cases=${3:?cases file}
export WINEPREFIX=${QV_WINE_PREFIX:?}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
readonly wine32=/usr/lib/wine/wine wine64=/usr/lib/wine/wine64
readonly clsid='{FFA69023-7E67-4E47-8485-E2FEEA59A60E}' libid='{419429FF-9F91-4683-9F0A-1B2CAEDC399D}'
readonly progid='convQVproj.convQV' uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'

fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
reg() { timeout 60 "$wine64" reg "$@" 2>&1 | tr -d '\r'; }
expect_key() {  # KEY VIEW TEXT
  local out
  out=$(reg query "$1" /s "$2")
  grep -qiF -- "$3" <<<"$out" || fail "$1 ($2) should hold '$3'; reg query says: $out"
}
expect_no_key() {  # KEY VIEW
  reg query "$1" "$2" >/dev/null && fail "$1 ($2) is still there"
  return 0
}

setup=$(ls "$package"/Quorvel-*-setup.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
  [ "${CI:-}" = true ] && fail "no installer in $package: run scripts/package-windows first"
  skip "no installer in $package (scripts/package-windows builds it)"
fi
if ! "$wine32" --version >/dev/null 2>&1 && [ -e /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  skip "this machine's kernel cannot run 32-bit programs, and the installer is one"
fi
stage=${setup%-setup.exe}
readonly dir="$WINEPREFIX/drive_c/Program Files/Quorvel" windir='C:\Program Files\Quorvel'
readonly shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QVpruef.lnk"
reg query "$uninstall" /reg:64 >/dev/null && fail "Quorvel is installed in the prefix before the test"

timeout 120 "$wine32" "$(winpath "$setup")" /S || fail "the silent install exited with $?"
for f in QVpruef.exe:x64/QVpruef.exe x64/converterQV.dll:x64/converterQV.dll x86/converterQV.dll:x86/converterQV.dll \
         README.txt:README.txt; do
  cmp -s "$dir/${f%%:*}" "$stage/${f#*:}" || fail "$dir/${f%%:*} is not the packed ${f#*:}"
done
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller in $dir"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
expect_key "HKCR\\CLSID\\$clsid\\InprocServer32" /reg:64 "$windir\\x64\\converterQV.dll"
expect_key "HKCR\\CLSID\\$clsid\\InprocServer32" /reg:32 "$windir\\x86\\converterQV.dll"
# The ProgID key is one for both bitnesses (the 32-bit cscript finds it below).
expect_key "HKCR\\$progid\\CLSID" /reg:64 "$clsid"
expect_key "HKCR\\TypeLib\\$libid\\1.0\\409\\win64" /reg:64 "$windir\\x64\\converterQV.dll"
expect_key "HKCR\\TypeLib\\$libid\\1.0\\409\\win32" /reg:32 "$windir\\x86\\converterQV.dll"
expect_key "$uninstall" /reg:64 "$windir\\uninstall.exe"
echo "installed: files, Start-menu entry, both DLLs' keys, the entry under installed programs"

for wine in "$wine64" "$wine32"; do
  out=$(timeout 120 "$wine" cscript //nologo "$(winpath "$vbscript")" "$(winpath "$cases")" 2>&1 | tr -d '\r')
  [ "$(tail -n 1 <<<"$out")" = "vbscript: 0 failed" ] || fail "$(basename "$wine") cscript with the installed DLL: $out"
  echo "$(basename "$wine") cscript: $(tail -n 1 <<<"$out")"
done

quiet=$(reg query "$uninstall" /v QuietUninstallString /reg:64 | sed -n 's/.*REG_SZ *//p')
[ "$quiet" = "\"$windir\\uninstall.exe\" /S" ] || fail "QuietUninstallString is '$quiet'"
timeout 120 "$wine32" "$windir\\uninstall.exe" /S || fail "the silent uninstall exited with $?"
# The uninstaller goes on from a copy of itself in the temporary folder and
# removes its entry last.
for _ in $(seq 120); do
  reg query "$uninstall" /reg:64 >/dev/null || break
  sleep 0.5
done
expect_no_key "$uninstall" /reg:64
[ -e "$dir" ] && fail "$dir is still there: $(ls -R "$dir")"
[ -e "$shortcut" ] && fail "the Start-menu entry is still there"
for view in /reg:64 /reg:32; do
  expect_no_key "HKCR\\CLSID\\$clsid" $view
  expect_no_key "HKCR\\$progid" $view
  expect_no_key "HKCR\\TypeLib\\$libid" $view
done
echo "installer: installed, used and removed without a trace"
