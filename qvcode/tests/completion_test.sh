#!/usr/bin/env bash
# qvcode's bash completion, made from docs/qvcode.md: what a tab after each
# line of words offers.
# Usage: completion_test.sh COMPLETION-SCRIPT
set -u
# shellcheck disable=SC1090
source "$1"
failed=0
# complete WORDS... : the offers of a tab after the last word.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _qvcode
  echo "${COMPREPLY[*]}"
}
expect() {
  local want=$1
  shift
  local got
  got=$(complete_words "$@")
  if [ "$got" != "$want" ]; then
    echo "qvcode ${*:2}<TAB>: offered '$got', not '$want'"
    failed=1
  fi
}
expect "encode" qvcode enc
expect "decode" qvcode help dec
expect "--precision" qvcode encode --pre
expect "--as-sweep" qvcode encode 50 10 --as
expect "--lat-from --lat-step --lat-to" qvcode sweep --lat
expect "--text" qvcode algorit --te
expect "" qvcode merge --lat
dir=$(mktemp -d)
touch "$dir/report.txt"
expect "$dir/report.txt" qvcode sweep --report "$dir/rep"
rm -rf "$dir"
exit $failed
