# What the Wine test scripts share, sourced by them: the prefix's environment,
# the programs, converterQV's identifiers, and the helpers for messages,
# paths and registry keys.  Needs QV_WINE_PREFIX.
export WINEPREFIX=${QV_WINE_PREFIX:?}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

readonly wine32=/usr/lib/wine/wine wine64=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
readonly clsid='{FFA69023-7E67-4E47-8485-E2FEEA59A60E}'
readonly libid='{419429FF-9F91-4683-9F0A-1B2CAEDC399D}'
readonly progid='convQVproj.convQV'

# ProgID keys are not redirected by bitness: Wine, like Windows since 7, keeps
# them in one place shared by both registrations, which reg reaches through
# the 64-bit view only.  The class and type library keys have a view each.
readonly sharedview=/reg:64

fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# A Windows path for a Linux one (drive Z: is the root).
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

# wine64 runs reg; the view is chosen by /reg:32 or /reg:64.
reg() { timeout 60 "$wine64" reg "$@" 2>&1 | tr -d '\r'; }

expect_key() {  # KEY VIEW TEXT: the key's values mention TEXT
  local out
  out=$(reg query "$1" /s "$2")
  grep -qiF -- "$3" <<<"$out" || fail "$1 ($2) should hold '$3'; reg query says: $out"
}
expect_no_key() {  # KEY VIEW
  reg query "$1" "$2" >/dev/null && fail "$1 ($2) is still there"
  return 0
}

# Skips when 32-bit Wine is not here for a reason that scripts/install-deps
# recorded (a kernel without 32-bit programs, a package that cannot be
# installed) or because this kernel runs no 32-bit programs; fails when it
# should run and does not.
need_32bit_wine() {
  "$wine32" --version >/dev/null 2>&1 && return 0
  local root recorded
  root=$(dirname "${BASH_SOURCE[0]}")/../..
  recorded=$root/build/wine32-skipped
  [ -s "$recorded" ] && skip "32-bit Wine is not installed: $(head -n1 "$recorded")"
  "$root/scripts/lib/runs-32bit" ||
    skip "this machine's kernel cannot run 32-bit programs, so 32-bit Wine cannot start"
  [ -e "$wine32" ] || fail "32-bit Wine ($wine32) is not installed: run scripts/install-deps"
  fail "32-bit Wine ($wine32) does not start"
}
