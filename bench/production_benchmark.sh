#!/usr/bin/env bash
# Pagers per hour of a production run with 1, 2 and 4 fixtures, each a
# pager simulator at --real-baud (4800 baud, every byte paced), against the
# single-fixture sequential floor: one pager after another on one fixture,
# each taking the link benchmark's program time, the fixture's probe and
# the time the pager is out of the fixture between two.
#
# Each fixture programs PER_FIXTURE pagers (default 2); a pager is taken
# out 1.5 s after its write and the next one put in 0.2 s later, as an
# operator with a tray would. The goal is 4 fixtures >= 3.8 x one fixture:
# a pager's time is almost all the pager's own programming pause, which
# overlaps across fixtures. The load averages are printed, since the
# machine may be shared.
#
# Usage: bench/production_benchmark.sh [BUILD_DIR] (default build)
set -euo pipefail
build=${1:-build}
per=${PER_FIXTURE:-2}
cli=$build/src/cli/zelta-pps-cli
sim=$build/tools/pager-sim/zelta-pager-sim
work=$(mktemp -d)
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

"$cli" new --model 0x91 -o "$work/blank.cp" >/dev/null
"$cli" edit "$work/blank.cp" -o "$work/template.cp" --set ed_code01=0300000 \
  --set ed_ICN=BENCH00001 >/dev/null

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A rate
for fixtures in 1 2 4; do
  ports=()
  for ((f = 0; f < fixtures; f++)); do
    script=$(seq -s, -f "F${fixtures}X${f}P%g" 1 "$per")
    "$sim" --no-advertise --real-baud --image "$work/template.cp" --script "$script" \
      --insert-gap-ms 200 --remove-after-ms 1500 >"$work/sim$f.out" 2>/dev/null &
    sims+=($!)
    for _ in $(seq 50); do [[ -s $work/sim$f.out ]] && break; sleep 0.1; done
    ports+=(--port "$(head -1 "$work/sim$f.out")")
  done
  count=$((fixtures * per))
  start=$(date +%s.%N)
  "$cli" produce "$work/template.cp" "${ports[@]}" --journal "$work/run$fixtures.jsonl" \
    --count "$count" >/dev/null
  end=$(date +%s.%N)
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  sims=()
  seconds=$(echo "$end - $start" | bc -l)
  rate[$fixtures]=$(echo "$count * 3600 / $seconds" | bc -l)
  printf '%d fixture(s): %d pagers in %.1f s = %.0f pagers/hour\n' "$fixtures" "$count" \
    "$seconds" "${rate[$fixtures]}"
done
# The floor: the one-fixture run is the sequential floor measured on this
# machine (the same link, probe and tray times, one pager at a time).
printf '2 fixtures: %.2f x one fixture\n' "$(echo "${rate[2]} / ${rate[1]}" | bc -l)"
printf '4 fixtures: %.2f x one fixture (goal >= 3.8)\n' "$(echo "${rate[4]} / ${rate[1]}" | bc -l)"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
