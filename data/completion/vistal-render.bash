# bash completion for vistal-render: option names, the values of the options
# that take a word from a fixed set, palette names (as the program itself lists
# them) and palette files for --palette and --write-palette, picture files for
# -o and --view-from, and the files of the location options.

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
    local equals=0
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--mode=po" arrives as "--mode" "=" "po" (or "--mode" "=" when nothing
    # follows the "=").
    if [[ $cur == "=" ]]; then
        cur=""
        equals=1
    elif [[ $prev == "=" ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
        equals=1
    fi
    COMPREPLY=()

    local words=""
    case $prev in
        -o | --output)
            [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
            _vistal_render_files bmp png jpg jpeg
            return 0
            ;;
        --view-from)
            _vistal_render_files png jpg jpeg
            return 0
            ;;
        --counts)
            _vistal_render_files exr
            return 0
            ;;
        --vrp)
            _vistal_render_files vrp
            return 0
            ;;
        --fss)
            _vistal_render_files fss
            return 0
            ;;
        --vcp-folder)
            local IFS=$'\n'
            COMPREPLY=($(compgen -d -- "$cur"))
            compopt -o filenames 2>/dev/null
            return 0
            ;;
        --palette)
            # The names the program finds (built-in ones first), else the built-in ones.
            local names
            names=$("${COMP_WORDS[0]}" --palette list 2>/dev/null | cut -f1)
            [[ -z $names ]] && names="standard mono blue"
            COMPREPLY=($(compgen -W "$names list" -- "$cur"))
            _vistal_render_files vcp map gpl ugr gradient
            return 0
            ;;
        --write-palette)
            _vistal_render_files gpl map vcp
            return 0
            ;;
        --progress)
            # Its value follows "=" only; after a blank comes the next option.
            ((equals)) && words="auto always never"
            ;;
        --format) words="bmp png jpeg" ;;
        --mode) words="normal search border fadein antialias ext-normal potential1 potential2 potential3" ;;
        --formula) words="mandelbrot julia" ;;
        --lang) words="ja en" ;;
        --detail) words="auto" ;;
        --compo) words="on off" ;;
        --bright) words="1 2 3 4" ;;
        --represent | --light-dark) words="1 2" ;;
        --adjust-center) words="1 2 3 4 5" ;;
        --kernel) words="auto scalar sse2 avx2 avx512 generic" ;;
        --deep) words="auto always never" ;;
        --exact)
            # Its value follows "=" only (a number of bits); after a blank
            # comes the next option.
            ((equals)) && return 0
            ;;
        --size | --power | --julia | --center | --span | --iterations | --color0 | --brightness | \
            --escape | --correction | --threads | --quality | --record | --frames | --zoom-to | \
            --frame-range | --shard | --gradient)
            return 0 # a number of the user's own
            ;;
    esac
    if [[ -n $words ]]; then
        COMPREPLY=($(compgen -W "$words" -- "$cur"))
        return 0
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-o --output --format --quality --size --formula --power --julia --center
            --span --adjust-center --vrp --record --fss --view-from --vcp-folder --frames --zoom-to
            --frame-range --shard --iterations --detail --mode --no-half --kernel --threads --escape --compo --bright --represent
            --light-dark --correction --palette --gradient --write-palette --color0 --brightness --shade-off --smooth --progress -q --quiet
            --stats --lang --deep --exact --counts -h --help --version" -- "$cur"))
    fi
    return 0
}

complete -F _vistal_render vistal-render
