#!/bin/sh
# Writes the pass document of every sample machine given, as romwise-cli
# prints it, plain and after a submit, into FOLDER: the seeds of the pass
# document's fuzz target. A pass that stops early or fails still prints one.
#   sh write_pass_documents.sh ROMWISE-CLI FOLDER PROFILE...
set -eu
cli=$1 folder=$2
shift 2
mkdir -p "$folder"
for profile in "$@"; do
    name=$(basename "$profile" .json)
    "$cli" --machine "$profile" --format json >"$folder/$name.json" 2>/dev/null || true
    "$cli" --machine "$profile" --format json --submit >"$folder/$name-submitted.json" \
        2>/dev/null || true
    for document in "$folder/$name.json" "$folder/$name-submitted.json"; do
        if [ ! -s "$document" ]; then
            echo "no pass document for $profile" >&2
            exit 1
        fi
    done
done
