#!/bin/sh
# A stand-in external tool: writes its working directory and then each argument on a line of
# its own to $NELVIX_TOOL_RECORD (else record-args.out in the working directory). The file
# appears whole, so a test may wait for it to exist.
out="${NELVIX_TOOL_RECORD:-$PWD/record-args.out}"
{
    pwd -P
    for argument in "$@"; do
        printf '%s\n' "$argument"
    done
} > "$out.part" && mv "$out.part" "$out"
