# bash completion for clipwright-cli
_clipwright_cli() {
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    case "$prev" in
        -t|--type) COMPREPLY=($(compgen -W "dvd vcd svcd dv mpeg4 h264 wmv ogm" -- "$cur")); return ;;
        -s|--standard) COMPREPLY=($(compgen -W "ntsc pal film" -- "$cur")); return ;;
        -j|--jobs) COMPREPLY=($(compgen -W "auto 1 2 3 4 6 8" -- "$cur")); return ;;
        --report) COMPREPLY=($(compgen -W "csv json csv,json" -- "$cur")); return ;;
        --progress) COMPREPLY=($(compgen -W "auto bar lines json" -- "$cur")); return ;;
        --fit-disc) COMPREPLY=($(compgen -W "dvd5 dvd9 cd80" -- "$cur")); return ;;
        --rate) COMPREPLY=($(compgen -W "keep 14.985 23.976 29.97" -- "$cur")); return ;;
        --video-bitrate) COMPREPLY=($(compgen -W "keep 128 256 384 512 576 640 768 900 1500 2000 2500" -- "$cur")); return ;;
        --audio-bitrate) COMPREPLY=($(compgen -W "keep 32 48 64 80 96 112 128 160" -- "$cur")); return ;;
        --channels) COMPREPLY=($(compgen -W "keep 1 2" -- "$cur")); return ;;
        --sample-rate) COMPREPLY=($(compgen -W "keep 24000 44100 48000" -- "$cur")); return ;;
        --size) COMPREPLY=($(compgen -W "keep 320x240 640x480 720x480 1280x720" -- "$cur")); return ;;
        -o|--output) COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --list) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        -p|--part|--shard|--max-rate|--min-rate) return ;;
    esac
    if [[ "$cur" == --disc=* ]]; then
        COMPREPLY=($(compgen -d -P --disc= -- "${cur#--disc=}"))
        return
    fi
    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "-t --type -s --standard --size --rate --video-bitrate --vbr
            --max-rate --min-rate --audio-bitrate --channels --sample-rate -p --part -o --output
            -j --jobs --report --disc --disc= --fit-disc --split-discs --force --shard --list --progress --dry-run -h
            --help -V --version" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$cur"))
}
complete -o filenames -F _clipwright_cli clipwright-cli
