#!/bin/sh
# The same benchmarks of two builds, run alternately in one session so that
# both see the same machine: for each benchmark the median CPU time of each
# build over ROUNDS rounds and their ratio (B / A; above 1 means B is slower).
# The default benchmarks run on one thread, so their CPU time leaves out the
# waits of a busy machine. Comparing a build with itself shows the noise.
# Made to compare builds that differ in their flags, such as
#   cmake -S . -B build-plain -DVISTAL_HARDENING=OFF -DVISTAL_BUILD_BENCH=ON ...
#   cmake -S . -B build-hard  -DVISTAL_HARDENING=ON  -DVISTAL_BUILD_BENCH=ON ...
#
#   bench/compare-builds.sh BENCH_A BENCH_B [ROUNDS] [FILTER]
#
# BENCH_A and BENCH_B are vistal_bench programs (or the same one twice); ROUNDS defaults to 5, FILTER
# (a --benchmark_filter) to the kernels on one thread and the normal drawing.
set -eu
A=$1 B=$2
ROUNDS=${3:-5}
FILTER=${4:-'^(kernel/(V1|deep)/(plain|sse2|avx2|avx512)|extended/V1/(plain|fast-1thread)|normal/(V1|deep)/fast-1thread)/'}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

# run PROGRAM LABEL: appends "LABEL name milliseconds" lines.
run() {
    "$1" --benchmark_filter="$FILTER" --benchmark_format=csv 2>/dev/null |
        awk -F, -v l="$2" 'NF > 5 && $1 != "name" { gsub(/"/, "", $1); sub(/\/(min_time|real_time).*/, "", $1); print l, $1, $4 }' \
            >>"$OUT/times"
}

i=0
while [ "$i" -lt "$ROUNDS" ]; do
    run "$A" A
    run "$B" B
    i=$((i + 1))
done

echo "median CPU time of $ROUNDS alternating rounds; $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores"
printf '%-32s %12s %12s %8s\n' benchmark "A ms" "B ms" "B / A"
# median LABEL NAME
median() {
    awk -v l="$1" -v n="$2" '$1 == l && $2 == n { print $3 }' "$OUT/times" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
awk '{ print $2 }' "$OUT/times" | awk '!seen[$0]++' | while read -r name; do
    awk -v n="$name" -v a="$(median A "$name")" -v b="$(median B "$name")" \
        'BEGIN { printf "%-32s %12.3f %12.3f %8.3f\n", n, a, b, b / a }'
done
