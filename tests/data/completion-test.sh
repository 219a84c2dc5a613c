#!/bin/bash
# Sources the completion of vistal-render and completes a few command lines.
# Usage: completion-test.sh path/to/vistal-render.bash path/to/vistal-render
set -u
source "$1"
program=$2
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# complete WORDS...: completes the last word of the line.
complete_line() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vistal_render
}

expect() { # expect "what" "expected replies, sorted, one line"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//')
    if [[ $got != "$2" ]]; then
        echo "FAIL: $1: got [$got], expected [$2]"
        failures=$((failures + 1))
    fi
}

complete_line vistal-render --mode po
expect "--mode po" "potential1 potential2 potential3"

complete_line vistal-render --mode = f
expect "--mode=f" "fadein"

complete_line vistal-render --pal
expect "--pal" "--palette"

complete_line vistal-render --formula ""
expect "--formula" "julia mandelbrot"

complete_line vistal-render --iterations ""
expect "--iterations (a number)" ""

cd "$work"
mkdir shots
touch sea.vcp fire.map notes.txt view.PNG view.jpeg
complete_line vistal-render -o ""
expect "-o" "- shots view.PNG view.jpeg"

complete_line vistal-render --palette ""
expect "--palette" "blue fire.map list mono sea.vcp shots standard"

# The names the program finds: the build tree's palettes (and no user's own).
export XDG_DATA_HOME=$work/none
complete_line "$program" --palette s
expect "--palette s (program)" "sea.vcp shots standard sunset"

complete_line vistal-render --progress = ""
expect "--progress=" "always auto never"

complete_line vistal-render --view-from ""
expect "--view-from" "shots view.PNG view.jpeg"

complete_line vistal-render --fr
expect "--fr" "--frame-range --frames"

exit $((failures > 0))
