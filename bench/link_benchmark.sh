#!/usr/bin/env bash
# Reads and programs a 2048-byte family D pager through the pager simulator
# at 4800 baud (--real-baud paces every byte the fixture sends at 10 bit
# times), and compares the wall time with the floor the line and the
# protocol set:
#
#   floor = bytes received x 10 / 4800 s  +  the protocol's fixed pauses
#
# Bytes received are counted in the link trace (echoes included: the PC
# waits for each one). The fixed pauses of a family D run, in ms:
#   read:    probe wake 100; read transaction: wake 100, status reply 10,
#            wake 100, password reply 10                          =  320
#   program: probe wake 100, after the probe 100; copy read 220; write:
#            wake 100, password reply 10, programming 8500; before the
#            clock 500; clock: wake 100, password reply 10, final 50 = 9690
#
# Usage: bench/link_benchmark.sh [BUILD_DIR]   (default build-dev)
set -euo pipefail
build=${1:-build-dev}
cli="$build/src/cli/zelta-pps-cli"
sim="$build/tools/pager-sim/zelta-pager-sim"
work=$(mktemp -d)
trap 'kill "$simpid" 2>/dev/null || true; [[ -n "${KEEP:-}" ]] || rm -rf "$work"; echo "$work"' EXIT

# The pager holds a family D codeplug made from the defaults, with a code.
"$cli" new --model 0x91 -o "$work/defaults.cp" >/dev/null
"$cli" edit "$work/defaults.cp" -o "$work/pager.cp" --set ed_code01=1234567 >/dev/null

"$sim" --no-advertise --model 0x91 --real-baud --image "$work/pager.cp" >"$work/sim.out" 2>/dev/null &
simpid=$!
for _ in $(seq 50); do [[ -s "$work/sim.out" ]] && break; sleep 0.1; done
port=$(head -n1 "$work/sim.out")

ms_now() { date +%s%3N; }
run() {  # name, fixed pauses, command...
  local name=$1 pauses=$2; shift 2
  local t0 t1 rx
  t0=$(ms_now)
  "$cli" "$@" --port "$port" --trace "$work/$name.trace" --yes >/dev/null 2>"$work/$name.err" ||
    { [[ -n "${ALLOW_FAIL:-}" ]] || { echo "$name failed:"; cat "$work/$name.err"; exit 1; }; }
  t1=$(ms_now)
  rx=$(grep -c ' RX [0-9A-F][0-9A-F]$' "$work/$name.trace")
  awk -v n="$name" -v total=$((t1 - t0)) -v rx="$rx" -v p="$pauses" 'BEGIN {
    wire = rx * 10 * 1000 / 4800; floor = wire + p; over = total - floor;
    printf "%-8s total %7.0f ms  floor %7.0f ms (wire %6.0f ms for %d bytes + pauses %d ms)  overhead %6.0f ms = %5.2f %%\n",
           n, total, floor, wire, rx, p, over, 100 * over / floor }'
}

run read 320 read -o "$work/read.cp"
run program 9690 program "$work/read.cp" --no-backup
