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
source "$(dirname "$0")/../../component/wine/wine_common.sh"
readonly uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'

setup=$(ls "$package"/Quorvel-*-setup.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
  [ "${CI:-}" = true ] && fail "no installer in $package: run scripts/package-windows first"
  skip "no installer in $package (scripts/package-windows builds it)"
fi
need_32bit_wine  # the installer is a 32-bit program
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
expect_key "HKCR\\$progid\\CLSID" $sharedview "$clsid"
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
