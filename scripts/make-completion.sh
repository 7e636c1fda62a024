#!/bin/sh
# Writes the bash completion of romwise-cli from its own --help: the options
# it lists, the values of --format, and file names after the options that
# take one.
#   sh scripts/make-completion.sh ROMWISE_CLI OUTPUT
set -eu
help=$("$1" --help)
options=$(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z-]*\).*/\1/p' | tr '\n' ' ')
formats=$(printf '%s\n' "$help" | sed -n 's/^                          \([a-z][a-z-]*\)  .*/\1/p' | tr '\n' ' ')
files=$(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z-]*\) FILE.*/\1/p' | tr '\n' '|' | sed 's/|$//')
cat > "$2" <<SCRIPT
# bash completion for romwise-cli, made from its --help.
_romwise_cli() {
    local current previous
    current=\${COMP_WORDS[COMP_CWORD]}
    previous=\${COMP_WORDS[COMP_CWORD-1]}
    case \$previous in
        $files)
            COMPREPLY=(\$(compgen -f -- "\$current"))
            return ;;
        --format)
            COMPREPLY=(\$(compgen -W "$formats" -- "\$current"))
            return ;;
        --passes)
            return ;;
    esac
    COMPREPLY=(\$(compgen -W "$options" -- "\$current"))
}
complete -o filenames -F _romwise_cli romwise-cli
SCRIPT
