# bash completion for vistal-render: option names, the values of the options
# that take a word from a fixed set, VCP palette files for --palette and picture
# files for -o.

_vistal_render_files() {
    # Files whose lower-cased name ends in one of the given extensions, and
    # folders to descend into.
    local f lower ext
    local IFS=$'\n'
    for f in $(compgen -d -- "$cur"); do
        COMPREPLY+=("$f")
    done
    for f in $(compgen -f -- "$cur"); do
        [[ -d $f ]] && continue
        lower=${f,,}
        for ext in "$@"; do
            if [[ $lower == *."$ext" ]]; then
                COMPREPLY+=("$f")
                break
            fi
        done
    done
    compopt -o filenames 2>/dev/null
}

_vistal_render() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--mode=po" arrives as "--mode" "=" "po" (or "--mode" "=" when nothing
    # follows the "=").
    if [[ $cur == "=" ]]; then
        cur=""
    elif [[ $prev == "=" ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    COMPREPLY=()

    local words=""
    case $prev in
        -o | --output)
            _vistal_render_files bmp png jpg jpeg
            return 0
            ;;
        --palette)
            COMPREPLY=($(compgen -W "standard mono blue" -- "$cur"))
            _vistal_render_files vcp
            return 0
            ;;
        --mode) words="normal search border fadein antialias ext-normal potential1 potential2 potential3" ;;
        --formula) words="mandelbrot julia" ;;
        --detail) words="auto" ;;
        --compo) words="on off" ;;
        --bright) words="1 2 3 4" ;;
        --represent | --light-dark) words="1 2" ;;
        --adjust-center) words="1 2 3 4 5" ;;
        --kernel) words="auto scalar sse2 avx2 avx512 generic" ;;
        --size | --power | --julia | --center | --span | --iterations | --color0 | --brightness | \
            --escape | --correction | --threads)
            return 0 # a number of the user's own
            ;;
    esac
    if [[ -n $words ]]; then
        COMPREPLY=($(compgen -W "$words" -- "$cur"))
        return 0
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-o --size --formula --power --julia --center --span --iterations
            --detail --palette --color0 --no-half --adjust-center --mode --stats --brightness
            --shade-off --progress -q --quiet --escape --compo --bright --represent --light-dark
            --correction --kernel --threads --help --version" -- "$cur"))
    fi
    return 0
}

complete -F _vistal_render vistal-render
