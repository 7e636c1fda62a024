#!/bin/sh
# Writes every sample profile's pass document as romwise-cli prints it, plain
# and after a submit (a pass that stops early prints one too), into FOLDER.
#   sh write_pass_documents.sh ROMWISE-CLI FOLDER PROFILE...
set -eu
cli=$1 folder=$2
shift 2
for profile in "$@"; do
    name=$(basename "$profile" .json)
    "$cli" --machine "$profile" --format json >"$folder/$name.json" 2>/dev/null || true
    "$cli" --machine "$profile" --format json --submit >"$folder/$name-submitted.json" \
        2>/dev/null || true
done
! find "$folder" -empty | grep .
