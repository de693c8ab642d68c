#!/usr/bin/env bash
# Compares two builds of orbelune-bench on one benchmark, in pairs run by turns on one core.
# On a shared machine two runs of one build a minute apart differ by a third, and two runs at the
# same time on the two cores by half; a pair run back to back sees nearly the same machine, so the
# ratio of the pair is what a change is judged by. Prints the median and quartiles of the ratios
# (after / before) and each build's minimum and median time per iteration.
#   scripts/bench-pairs.sh BEFORE_BENCH AFTER_BENCH FILTER [PAIRS] [MIN_TIME]
# e.g. scripts/bench-pairs.sh /tmp/before/orbelune-bench build/orbelune-bench 'BurstStep/max_burst' 20 0.1
# A benchmark of a fixed amount of work (BurstStep/max_burst: one whole burst) compares best; a
# ratio whose quartiles straddle 1 is no change.
set -euo pipefail
before=${1:?before bench}; after=${2:?after bench}; filter=${3:?benchmark filter}
pairs=${4:-20}; mintime=${5:-0.3}
core=$(($(nproc) - 1))
run() {
  taskset -c "$core" "$1" --benchmark_filter="$filter" --benchmark_min_time="$mintime" --benchmark_format=csv \
    2>/dev/null | awk -F, '/^"/ {print $4; exit}'
}
out=$(mktemp); trap 'rm -f "$out"' EXIT
for ((p = 1; p <= pairs; ++p)); do
  if ((p % 2)); then a=$(run "$before"); b=$(run "$after"); else b=$(run "$after"); a=$(run "$before"); fi
  if [ -z "$a" ] || [ -z "$b" ]; then echo "no result for '$filter'" >&2; exit 1; fi
  echo "$a $b" >>"$out"
done
stats() { sort -g | awk '{v[NR] = $1} END {printf "%s %.3f / %.3f / %.3f\n", label, v[int((NR + 3) / 4)], v[int((NR + 1) / 2)], v[int((3 * NR + 1) / 4)]}' label="$1"; }
awk '{print $2 / $1}' "$out" | stats "after/before, q1 / median / q3:"
for col in 1 2; do
  name=$([ $col = 1 ] && echo before || echo after)
  awk -v c=$col '{print $c}' "$out" | sort -g |
    awk -v n="$name" '{v[NR] = $1} END {printf "%-6s us per iteration, min %.0f, median %.0f (%d runs)\n", n, v[1], v[int((NR + 1) / 2)], NR}'
done
