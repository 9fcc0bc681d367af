#!/usr/bin/env bash
# A sweep in shards run as the README shows it, by GNU parallel and by the
# Slurm job script's arithmetic (without a cluster: the array's variables set
# by hand, with ids from 1 and from 0, one shard run again alone), merged and
# compared byte for byte with the one-process report.  Exits 77 (skipped)
# without GNU parallel.
# Usage: shards_test.sh QVCODE SLURM_SCRIPT
set -euo pipefail
qvcode=$1
slurm=$2
command -v parallel >/dev/null || { echo "GNU parallel is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
grid=(--store all --lat-step 40 --lon-step 35)

"$qvcode" sweep "${grid[@]}" --report one.txt >one.out

parallel --will-cite --halt now,fail=1 "$qvcode" sweep "${grid[@]}" --jobs 1 --shard {}/4 --report par.txt \
  ::: 1 2 3 4 >/dev/null
"$qvcode" merge par.txt >par.out
cmp one.txt par.txt
diff <(sed 1,2p -n one.out) <(sed 1,2p -n par.out)

for first in 1 0; do
  for task in $(seq "$first" $((first + 6))); do
    [ "$task" -eq $((first + 2)) ] && continue  # the third shard fails, and runs again below
    SLURM_ARRAY_TASK_ID=$task SLURM_ARRAY_TASK_MIN=$first SLURM_ARRAY_TASK_COUNT=7 QVCODE=$qvcode \
      "$slurm" slurm.txt "${grid[@]}" >/dev/null
  done
  # Run again with its shard named: alone, not as a task of an array of 7.
  status=0
  SLURM_ARRAY_TASK_ID=$first SLURM_ARRAY_TASK_MIN=$first SLURM_ARRAY_TASK_COUNT=7 QVCODE=$qvcode \
    "$slurm" slurm.txt "${grid[@]}" --shard 3/7 2>/dev/null || status=$?
  [ $status -eq 2 ]
  QVCODE=$qvcode "$slurm" slurm.txt "${grid[@]}" --shard 3/7 >/dev/null
  [ "$(ls slurm.txt.*-of-7 | wc -l)" -eq 7 ]
  "$qvcode" merge slurm.txt >/dev/null
  cmp one.txt slurm.txt
  rm slurm.txt*
done
echo "shards by GNU parallel and by the Slurm script merged to the one-process report"
