#!/bin/bash
# The fixed texts of the programs and the help pages use the words a Linux user reads: no
# other desktop's file manager, folders or settings store, and no message that names another
# platform's API. Internal names (lock and socket names, key paths) may stay.
# Usage: linux-words.sh SOURCE_DIR PROGRAM...
set -u
source_dir=$1
shift
words=(Explorer "My Documents" "in the registry" "the registry" midiOut timeGetDevCaps timeBeginPeriod
       timeSetEvent winmm "HTML Help")
# A program's texts are its read-only data; its debug information names identifiers such as
# Qt's Key_Explorer, which no user reads.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for file in "$@" "$source_dir"/share/fretlo/help/*.html; do
    [ -f "$file" ] || { echo "missing: $file"; status=1; continue; }
    texts=$file
    if [[ $file != *.html ]]; then
        texts=$scratch/rodata
        objcopy -O binary --only-section=.rodata "$file" "$texts"
    fi
    for word in "${words[@]}"; do
        if LC_ALL=C grep -a -F -q -- "$word" "$texts"; then
            echo "$file: \"$word\""
            LC_ALL=C grep -a -o -F -- "$word" "$texts" | head -3
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
