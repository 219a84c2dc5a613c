#!/bin/sh
# Whole-process times of vistal-render, the plain loop on one thread beside the
# fast path on all cores, for the views of docs/performance.md. Each command
# runs RUNS times, alternating, and the median wall time is reported.
#
#   bench/compare-render.sh [RENDER] [RUNS]
#
# RENDER defaults to build/src/vistal-render, RUNS to 5.
set -eu

RENDER=${1:-build/src/vistal-render}
RUNS=${2:-5}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

now() { date +%s%N; }

# median of the numbers on standard input
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME PLAIN_ITERATIONS ARGS...: the plain iterations of the view (from
# vistal_bench) give the rate in iterations per second.
compare() {
    name=$1 iterations=$2
    shift 2
    : >"$OUT/plain" && : >"$OUT/fast"
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        t0=$(now)
        "$RENDER" "$@" -q --kernel scalar --threads 1 -o "$OUT/plain.bmp"
        t1=$(now)
        "$RENDER" "$@" -q -o "$OUT/fast.bmp"
        t2=$(now)
        echo $(((t1 - t0) / 1000)) >>"$OUT/plain"
        echo $(((t2 - t1) / 1000)) >>"$OUT/fast"
        i=$((i + 1))
    done
    cmp -s "$OUT/plain.bmp" "$OUT/fast.bmp" || { echo "$name: the pictures differ" >&2; exit 1; }
    plain=$(median <"$OUT/plain")
    fast=$(median <"$OUT/fast")
    threads=$(nproc)
    awk -v n="$name" -v p="$plain" -v f="$fast" -v it="$iterations" -v t="$threads" 'BEGIN {
        printf "%-8s plain %9.1f ms   fast %8.1f ms   ratio %6.1f   fast %6.2f G iter/s (%5.2f per core, %d cores)\n",
               n, p / 1000, f / 1000, p / f, it / f / 1000, it / f / 1000 / t, t }'
}

echo "vistal-render whole process, median of $RUNS runs, $(nproc) cores"
compare V1 0.4086e9 --size 1024x768 --iterations 4096 --no-half
compare deep 0.8571e9 --size 1024x768 --iterations 4096 --no-half \
    --center -0.743643887037151,0.131825904205330 --span 1e-9
