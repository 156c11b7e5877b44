#!/usr/bin/env bash
# The survey's shards on a Dask cluster over loopback: a scheduler and two
# workers started here, one of them killed while shards still run; the
# merged report equals one process's. Also a scheduler that never answers.
# Usage: advicepath-survey-cluster-test.sh CASE FRONT SOURCE_DIR WORK_DIR SURVEY
source "$(dirname "$0")/cli-checks.sh" "$@"
survey=$5
extract="$source_dir/data/osm/bautzen.osm"
python=/usr/bin/python3
pids=()
cleanup() { for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done; }
trap cleanup EXIT

free_port() { "$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

case "$case_name" in
  worker_lost)
    port=$(free_port)
    dask-scheduler --host 127.0.0.1 --port "$port" --no-dashboard >"$work/scheduler.log" 2>&1 &
    pids+=($!)
    for w in 1 2; do
      # No nanny: a killed worker stays dead, and its shard must run elsewhere.
      dask-worker "tcp://127.0.0.1:$port" --host 127.0.0.1 --nthreads 1 --no-nanny \
        --no-dashboard >"$work/worker$w.log" 2>&1 &
      pids+=($!)
    done
    worker1=${pids[1]}
    # Frames at 60 per second make each shard long enough to be cut short.
    "$tool" --scheduler "tcp://127.0.0.1:$port" --shards 6 --survey "$survey" \
      --json "$work/cluster.json" -- "$extract" --fps 60 >"$work/stdout" 2>"$work/stderr" &
    front=$!
    for _ in $(seq 600); do
      grep -q "done (1/6" "$work/stderr" 2>/dev/null && break
      sleep 0.1
    done
    grep -q "done (6/6" "$work/stderr" && fail "every shard was done before a worker was lost"
    kill -9 "$worker1"
    wait "$front"; echo $? >"$work/code"
    expect_code 0
    grep -q "done (6/6" "$work/stderr" || fail "not every shard was reported done"
    grep -qE "Remove worker .*processing: [1-9]" "$work/scheduler.log" ||
      fail "the worker was lost with no shard in hand"
    "$survey" --all-junctions "$extract" --fps 60 --json "$work/one.json" --quiet >/dev/null ||
      fail "the survey in one process failed"
    "$python" -c 'import json, sys
a, b = (json.load(open(p)) for p in sys.argv[1:])
for d in (a, b): d.pop("timing"), d.pop("shards")
assert a == b, "the cluster report differs from one process'"'"'s"' \
      "$work/cluster.json" "$work/one.json" || fail "the cluster's report is not one process's" ;;
  no_scheduler)
    # A port nothing listens on: a clear error within the timeout, exit 5.
    port=$(free_port)
    start=$SECONDS
    run --scheduler "tcp://127.0.0.1:$port" --shards 2 --timeout 5 --survey "$survey" -- "$extract"
    expect_code 5; expect_stderr "does not answer"
    (( SECONDS - start < 30 )) || fail "took $((SECONDS - start)) s to give up" ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "ok ($case_name)"
