#!/usr/bin/env bash
# scripts/install-deps against a stand-in apt: a broken index, a wine32 that
# cannot be installed, a kernel without 32-bit programs.  Each row runs the
# script with fake apt-get, dpkg and dpkg-query first on PATH and checks its
# exit status, what it asked apt to install and the reason recorded for the
# 32-bit Wine tests.  Nothing touches the real apt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"

# The fakes: FAKE_INSTALLED lists installed packages, FAKE_UPDATE_FAILS and
# FAKE_WINE32_BROKEN make apt fail as a broken i386 index does,
# FAKE_INSTALL_FAILS makes installing anything fail.  Calls go to $work/log.
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
p=${@: -1}
for i in $FAKE_INSTALLED; do [ "$i" = "$p" ] && { echo -n "install ok installed"; exit 0; }; done
exit 1
FAKE
cat >"$work/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
echo "dpkg $*" >>"$FAKE_LOG"
[ "$1" = --print-foreign-architectures ] && exit 0
exit 0
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_LOG"
case " $* " in
  *" update "*) [ -n "${FAKE_UPDATE_FAILS:-}" ] && { echo "E: File has unexpected size" >&2; exit 100; }; exit 0 ;;
  *" -s "*wine32*) [ -n "${FAKE_WINE32_BROKEN:-}" ] && {
      echo " libcurl4:i386 : Depends: libssl3:i386 (>= 3.0.0) but it is not going to be installed"; exit 100; }
    exit 0 ;;
  *" install "*) [ -n "${FAKE_INSTALL_FAILS:-}" ] && exit 100; exit 0 ;;
esac
FAKE
chmod +x "$work/bin/"*
# sudo is not needed: the fakes run as whoever runs the test.
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/sudo"

failures=0
# kernel | update fails | wine32 broken | install fails | exit | wine32 installed? | recorded reason
while IFS='|' read -r kernel update broken installfails want_status want_wine32 want_reason; do
  [ -z "$kernel" ] || [ "${kernel:0:1}" = '#' ] && continue
  rm -f "$work/log" "$work/skipped"
  (cd "$root" && PATH="$work/bin:$PATH" FAKE_LOG="$work/log" FAKE_INSTALLED="" \
     FAKE_UPDATE_FAILS=$update FAKE_WINE32_BROKEN=$broken FAKE_INSTALL_FAILS=$installfails \
     QV_KERNEL_RUNS_32BIT=$kernel QV_WINE32_SKIPPED_FILE="$work/skipped" \
     scripts/install-deps >"$work/out" 2>&1)
  status=$?
  got_wine32=no
  grep -q 'apt-get install -y.*wine32:i386' "$work/log" 2>/dev/null && got_wine32=yes
  got_reason=$(cat "$work/skipped" 2>/dev/null)
  row="kernel=$kernel update-fails=$update wine32-broken=$broken install-fails=$installfails"
  if [ "$status" != "$want_status" ] || [ "$got_wine32" != "$want_wine32" ] ||
     [[ "$got_reason" != $want_reason ]]; then
    echo "FAIL $row: exit $status, wine32 installed: $got_wine32, reason '$got_reason'"
    echo "  expected exit $want_status, wine32 installed: $want_wine32, reason like '$want_reason'"
    sed 's/^/  | /' "$work/out"
    failures=$((failures + 1))
  fi
  if [ "$kernel" = no ] && grep -q 'add-architecture' "$work/log" 2>/dev/null; then
    echo "FAIL $row: added the i386 architecture for a kernel that runs no 32-bit programs"
    failures=$((failures + 1))
  fi
done <<'TABLE'
yes||||0|yes|
yes|1|||0|yes|
yes|1|1||0|no|wine32:i386 cannot be installed here (libcurl4:i386 : Depends: libssl3:i386*)
no|1|||0|no|*kernel runs no 32-bit programs*
no||||0|no|*kernel runs no 32-bit programs*
# the packages the build needs are not optional
yes|1||1|100|no|
TABLE
[ $failures -eq 0 ] && echo "install-deps: every row as expected"
exit $((failures > 0))
