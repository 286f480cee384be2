#!/usr/bin/env bash
# Reads and programs a 2048-byte family D pager through the pager simulator
# at 4800 baud (--real-baud paces every byte the fixture sends at 10 bit
# times), and compares the wall time with the floor the line and the
# protocol set:
#
#   floor = (bytes received - bytes received during a pause) x 10 / 4800 s
#           + the protocol's fixed pauses the PC waits out
#
# Bytes received are counted in the link trace (echoes included: the PC
# waits for each one). A byte that arrives while the PC sits out a pause
# costs no time of its own: the password reply and the final reply of a
# write and of the clock are on the line during the pause before them. A
# pause the pager does not wait for costs none either: it sends the image
# block of a read straight after its password reply, so the 10 ms before
# that reply pass while the block is already coming.
#
# The pauses the PC waits out in a family D run, in ms:
#   read:    probe wake 100; read transaction: wake 100, status reply 10,
#            wake 100                                             =  310
#   program: probe wake 100, after the probe 100; copy read 210; write:
#            wake 100, password reply 10, programming 8500; before the
#            clock 500; clock: wake 100, password reply 10, final 50 = 9680
# Bytes received during a pause: read none; program 4 (the password and
# final replies of the write and of the clock).
#
# The timed runs measure the link alone: the byte counts come from one
# traced run of each before them, and the timed runs write no trace (a
# trace line per byte, flushed, would be timed with the link).
#
# Usage: bench/link_benchmark.sh [BUILD_DIR] [idle|loaded] (default
# build-dev, idle); RUNS=n repeats both n times and adds the medians.
# "loaded" runs a CPU-bound process beside the link for the whole run, as a
# busy PC would. The load averages before and after are printed, since the
# machine may be shared.
set -euo pipefail
build=${1:-build-dev}
mode=${2:-idle}
runs=${RUNS:-1}
loadpid=""
cli="$build/src/cli/zelta-pps-cli"
sim="$build/tools/pager-sim/zelta-pager-sim"
work=$(mktemp -d)
trap 'kill "$simpid" $loadpid 2>/dev/null || true; [[ -n "${KEEP:-}" ]] || rm -rf "$work"; echo "$work"' EXIT

# The pager holds a family D codeplug made from the defaults, with a code.
"$cli" new --model 0x91 -o "$work/defaults.cp" >/dev/null
"$cli" edit "$work/defaults.cp" -o "$work/pager.cp" --set ed_code01=1234567 >/dev/null

"$sim" --no-advertise --model 0x91 --real-baud --image "$work/pager.cp" >"$work/sim.out" 2>/dev/null &
simpid=$!
for _ in $(seq 50); do [[ -s "$work/sim.out" ]] && break; sleep 0.1; done
port=$(head -n1 "$work/sim.out")

# Microseconds from the shell itself: a date process would add its own
# start-up to every figure.
us_now() { echo "${EPOCHREALTIME/./}"; }
declare -A received
count() {  # name, command...: the bytes received, from one traced run
  local name=$1; shift
  "$cli" "$@" --port "$port" --trace "$work/$name.trace" --yes >/dev/null 2>"$work/$name.err" ||
    { echo "$name failed:"; cat "$work/$name.err"; exit 1; }
  received[$name]=$(grep -c ' RX [0-9A-F][0-9A-F]$' "$work/$name.trace")
}
run() {  # name, fixed pauses, bytes received during them, command...
  local name=$1 pauses=$2 hidden=$3; shift 3
  local t0 t1 rx
  t0=$(us_now)
  "$cli" "$@" --port "$port" --yes >/dev/null 2>"$work/$name.err" ||
    { [[ -n "${ALLOW_FAIL:-}" ]] || { echo "$name failed:"; cat "$work/$name.err"; exit 1; }; }
  t1=$(us_now)
  rx=${received[$name]}
  awk -v n="$name" -v total=$(((t1 - t0) / 1000)) -v rx="$rx" -v h="$hidden" -v p="$pauses" 'BEGIN {
    wire = (rx - h) * 10 * 1000 / 4800; floor = wire + p; over = total - floor;
    printf "%-8s total %7.0f ms  floor %7.0f ms (wire %6.0f ms for %d bytes + pauses %d ms)  overhead %6.0f ms = %5.2f %%\n",
           n, total, floor, wire, rx - h, p, over, 100 * over / floor }' | tee -a "$work/figures"
}

count read read -o "$work/read.cp"
count program program "$work/read.cp" --no-backup
if [[ $mode == loaded ]]; then
  # One CPU-bound process for the whole run.
  ( while :; do :; done ) &
  loadpid=$!
fi
echo "mode $mode; load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) CPUs"
for _ in $(seq "$runs"); do
  run read 310 0 read -o "$work/read.cp"
  run program 9680 4 program "$work/read.cp" --no-backup
done
if ((runs > 1)); then
  for name in read program; do
    grep "^$name " "$work/figures" | awk '{print $NF == "%" ? $(NF-1) : $NF}' | sort -g |
      awk -v n="$name" '{v[NR] = $1} END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
        printf "%-8s median overhead %5.2f %% over %d runs (%.2f to %.2f)\n", n, m, NR, v[1], v[NR] }'
  done
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
