#!/usr/bin/env bash
# A sweep's shards under a real one-node Slurm: munged, slurmctld and slurmd
# started here with their key, configuration, state, spool and logs in a
# temporary folder and ports of their own.  The job array of
# scripts/slurm-sweep and the merge that waits for it (afterok) must give
# the one-process report byte for byte; so must a second run whose task 2
# is cancelled while it runs (the merge then never starts) and run again
# alone.  Every process started here is stopped whatever happens.  Exits 77
# (skipped) where Slurm cannot start: not root, the packages missing, the
# daemons not up in time.
# Usage: slurm_test.sh QVCODE SLURM_SCRIPT [STEP]
set -euo pipefail
qvcode=$(realpath "$1")
script=$(realpath "$2")
# A few seconds a shard, with error cases in every shard: the 3′ grid (25.6
# million cases) for a release build, a coarser one for a slower build.
step=${3:-3}
grid=(--lat-step "$step" --lon-step "$step" --tolerance .000002)
deadline=$((SECONDS + 600))  # for the jobs, well within CTest's time limit

skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "starting slurmctld, slurmd and munged needs root"
for c in munged mungekey slurmctld slurmd sbatch squeue scontrol scancel sinfo setpriv; do
  command -v $c >/dev/null ||
    skip "$c is missing (packages slurmctld, slurmd, slurm-client and munge: scripts/install-deps)"
done

dir=$(mktemp -d)
chmod 755 "$dir"  # munged runs as munge and must reach its folder
conf=$dir/slurm.conf
export SLURM_CONF=$conf QVCODE=$qvcode
pids=()
# Every process of this cluster, daemons, steps and jobs, carries its
# SLURM_CONF: those still running (the search itself without it).
ours() {
  (unset SLURM_CONF; grep -lzxF "SLURM_CONF=$conf" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3)
  return 0
}
stop() {
  local status=$? p left
  trap - EXIT
  set +e
  if [ ${#pids[@]} -ge 2 ]; then  # slurmctld was started
    scancel --user=root 2>/dev/null
    for _ in $(seq 50); do [ -z "$(squeue -h 2>/dev/null)" ] && break; sleep 0.2; done
  fi
  kill -TERM "${pids[@]}" 2>/dev/null
  for _ in $(seq 50); do [ -z "$(ours)" ] && break; sleep 0.2; done
  left=$(ours)
  if [ -n "$left" ]; then
    for p in $left; do echo "left behind: $p $(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null)"; done
    kill -KILL $left 2>/dev/null
    [ $status -eq 0 ] && status=1
  fi
  [ $status -ne 0 ] && [ $status -ne 77 ] && tail -n 20 "$dir"/log/*.log 2>/dev/null
  rm -rf "$dir"
  exit $status
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
fail() { echo "FAIL: $*"; exit 1; }

# A port nothing listens on.
port() {
  local p
  while p=$((20000 + RANDOM % 40000)); (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; do :; done
  echo $p
}
node=$(hostname -s)
cpus=$(nproc)
mkdir -p "$dir"/{munge,state,spool,log,run,shared}
chown munge:munge "$dir/munge"
mungekey --create --keyfile="$dir/munge/munge.key" 2>/dev/null
chown munge:munge "$dir/munge/munge.key"
cat >"$conf" <<EOF
ClusterName=qvtest
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$(port)
SlurmdPort=$(port)
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/socket
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/run/slurmctld.pid
SlurmdPidFile=$dir/run/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ReturnToService=2
MinJobAge=900
NodeName=$node NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=qv Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF

started=$SECONDS
setpriv --reuid=munge --regid=munge --init-groups /usr/sbin/munged --foreground --key-file="$dir/munge/munge.key" \
  --socket="$dir/munge/socket" --pid-file="$dir/munge/pid" --log-file="$dir/log/munged.log" \
  --seed-file="$dir/munge/seed" 2>>"$dir/log/munged.log" &
pids+=($!)
slurmctld -D -f "$conf" 2>>"$dir/log/slurmctld.err" &
pids+=($!)
slurmd -D -f "$conf" -N "$node" 2>>"$dir/log/slurmd.err" &
pids+=($!)
for _ in $(seq 150); do [ "$(sinfo -h -n "$node" -o %T 2>/dev/null)" = idle ] && break; sleep 0.2; done
if [ "$(sinfo -h -n "$node" -o %T 2>/dev/null)" != idle ]; then
  tail -n 5 "$dir"/log/*
  skip "the one-node Slurm did not come up within 30 s"
fi
echo "Slurm up in $((SECONDS - started)) s"

# The field NAME of job or task ID ("JobState", "ExitCode", "Reason").
field() { scontrol -o show job "$1" | grep -o " $2=[^ ]*" | head -n1 | cut -d= -f2; }
# Waits until none of the jobs is pending or running.
await() {
  while [ -n "$(squeue -h -j "$(IFS=,; echo "$*")")" ]; do
    [ $SECONDS -lt $deadline ] || { squeue -j "$(IFS=,; echo "$*")" -o '%i %T %r'; fail "jobs $* still queued"; }
    sleep 0.2
  done
}
# Each task's state and exit code against "STATE CODE" per task.
expect_tasks() {
  local job=$1 t want got
  shift
  for t in 1 2 3 4; do
    want=$1
    shift
    got="$(field "${job}_$t" JobState) $(field "${job}_$t" ExitCode)"
    [ "$got" = "$want" ] || fail "task ${job}_$t ended $got, not $want: $(cat "qvcode-sweep-${job}_$t.out")"
  done
}
submit_array() { sbatch --parsable --cpus-per-task=$((cpus < 2 ? 1 : 2)) --array=1-4 "$script" QV.txt "${grid[@]}"; }
submit_merge() { sbatch --parsable --output=merge-%j.out --dependency="afterok:$1" --wrap "\"$qvcode\" merge QV.txt"; }
# The merge job's report and what it printed and ended with are the one
# process's.
expect_merged() {
  local merge=$1
  cmp one.txt QV.txt || fail "the merged report differs from the one-process report"
  diff <(grep -v '^report:' one.out) <(grep -v '^report:' "merge-$merge.out") || fail "the merge printed otherwise"
  [ "$(field "$merge" ExitCode)" = "$one_status:0" ] || fail "the merge ended $(field "$merge" ExitCode), not $one_status:0"
}

cd "$dir/shared"
t=$SECONDS
one_status=0
"$qvcode" sweep "${grid[@]}" --report one.txt >one.out || one_status=$?
[ $one_status -eq 1 ] || fail "the grid should find error cases: the sweep ended $one_status"
echo "one process: $((SECONDS - t)) s, $(grep errors: one.out)"

# The array, and the merge waiting for it: tasks that found error cases
# completed, the merge ends as the one process did.
t=$SECONDS
job=$(submit_array)
merge=$(submit_merge "$job")
await "$job"
expect_tasks "$job" "COMPLETED 0:0" "COMPLETED 0:0" "COMPLETED 0:0" "COMPLETED 0:0"
await "$merge"
expect_merged "$merge"
echo "array of 4 and merge: $((SECONDS - t)) s"

# Task 2 cancelled as it sweeps: the sweep stops cleanly and leaves no
# summary, the merge is never started; task 2 alone again, then the merge.
t=$SECONDS
rm QV.txt*
job=$(submit_array)
merge=$(submit_merge "$job")
until [ -e QV.txt.2-of-4 ] && [ "$(field "${job}_2" JobState)" = RUNNING ]; do
  [ $SECONDS -lt $deadline ] || fail "task ${job}_2 never ran"
  [ "$(field "${job}_2" JobState)" != COMPLETED ] || fail "task ${job}_2 ended before it could be cancelled"
  sleep 0.05
done
scancel "${job}_2"
await "$job"
expect_tasks "$job" "COMPLETED 0:0" "CANCELLED 143:0" "COMPLETED 0:0" "COMPLETED 0:0"
grep -q 'Terminated by SIGTERM. The sweep stopped after' "qvcode-sweep-${job}_2.out" ||
  fail "task 2 did not stop as a sweep stops: $(cat "qvcode-sweep-${job}_2.out")"
[ ! -e QV.txt.2-of-4.summary ] || fail "the cancelled shard left a summary"
for _ in $(seq 150); do [ "$(field "$merge" Reason)" = DependencyNeverSatisfied ] && break; sleep 0.2; done
[ "$(field "$merge" JobState) $(field "$merge" Reason)" = "PENDING DependencyNeverSatisfied" ] ||
  fail "the merge after a cancelled task is $(field "$merge" JobState) $(field "$merge" Reason)"
scancel "$merge"
again=$(sbatch --parsable --cpus-per-task=$((cpus < 2 ? 1 : 2)) --array=2 "$script" QV.txt "${grid[@]}" --shard 2/4)
merge=$(submit_merge "$again")
await "$again" "$merge"
[ "$(field "${again}_2" JobState) $(field "${again}_2" ExitCode)" = "COMPLETED 0:0" ] ||
  fail "task 2 run again: $(cat "qvcode-sweep-${again}_2.out")"
expect_merged "$merge"
echo "array of 4 with task 2 cancelled, run again and merged: $((SECONDS - t)) s"
echo "sharded sweeps under Slurm merged to the one-process report in $((SECONDS - started)) s"
