#!/bin/sh
# Makes the truths the deep-view tests compare against: every pixel's count of
# a 64x48 view computed exactly (--exact: every point iterated with MPFR), as
# OpenEXR files of counts. Run from this folder with the renderer built:
#     sh make-truths.sh ../../../build/src/vistal-render
# deep320.txt is the nucleus of a period-92,509 minibrot of size about
# 1e-320.7 (given to 420 digits); deep320-third.txt is it moved right by a
# third of a 1e-50 view, so the reference there is no nucleus. julia-centre.txt
# is a point of the Julia set of -0.8+0.156i, power3-centre.txt the Misiurewicz
# point c = sqrt(w - 1), w = e^(2 pi i/3), of the set of z^3 + c (its orbit is
# 0, c, wc, wc, ...). The view of 1e-300 is 32x24, to 2000 bits: its
# counts near 355,000 take MPFR about 11 minutes of processor time.
set -eu
render=${1:-vistal-render}
truth() {
    name=$1
    size=$2
    shift 2
    "$render" -q --size "$size" --exact "$@" -o "/tmp/$name.png" --counts "$name.exr"
    rm -f "/tmp/$name.png"
}
truth deep320-1e-20 64x48 --center "$(cat deep320.txt)" --span 1e-20 --iterations 10000
truth deep320-1e-50 64x48 --center "$(cat deep320.txt)" --span 1e-50 --iterations 20000
truth deep320-third-1e-50 64x48 --center "$(cat deep320-third.txt)" --span 1e-50 --iterations 20000
truth deep320-1e-100 64x48 --center "$(cat deep320.txt)" --span 1e-100 --iterations 100000
truth julia-1e-50 64x48 --formula julia --julia -0.8,0.156 --center "$(cat julia-centre.txt)" --span 1e-50 \
    --iterations 20000
truth power3-1e-30 64x48 --power 3 --center "$(cat power3-centre.txt)" --span 1e-30 --iterations 10000
truth i-1e-1000 64x48 --center 0,1 --span 1e-1000 --iterations 10000
truth deep320-1e-300 32x24 --center "$(cat deep320.txt)" --span 1e-300 --iterations 1000000 --exact=2000
