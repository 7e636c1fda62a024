#!/bin/sh
# Fails when a source file includes a folder its layer must not reach, as
# cmake/layers.txt gives the layers.
#   sh scripts/check-layers.sh [ROOT]     (default: the checkout)
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
layers=$root/cmake/layers.txt
[ -r "$layers" ] || { echo "check-layers: cannot read $layers" >&2; exit 2; }

folders=$(sed -n 's/^\([a-z0-9/_]*\):.*/\1/p' "$layers")
files=$(cd "$root" && for folder in $folders; do
    [ -d "$folder" ] && find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \)
done | sort -u)
[ -n "$files" ] || { echo "check-layers: no sources under $root" >&2; exit 2; }

cd "$root"
# shellcheck disable=SC2086
awk -v layers="$layers" '
    function folderOf(path,    best, f) {
        best = ""
        for (f in uses) {
            if ((index(path, f "/") == 1) && length(f) > length(best)) best = f
        }
        return best
    }
    BEGIN {
        while ((getline line < layers) > 0) {
            if (line ~ /^#/ || line !~ /:/) continue
            split(line, parts, ":")
            uses[parts[1]] = parts[2]
        }
        # Everything a folder may reach: the closure of its direct uses.
        for (f in uses) { reach[f, f] = 1; n = split(uses[f], direct, " "); for (i = 1; i <= n; i++) reach[f, direct[i]] = 1 }
        do {
            grown = 0
            for (f in uses) for (g in uses) if ((f, g) in reach) for (h in uses) if ((g, h) in reach && !((f, h) in reach)) { reach[f, h] = 1; grown = 1 }
        } while (grown)
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        own = folderOf(FILENAME)
        included = $0
        sub(/^[^"]*"/, "", included); sub(/".*$/, "", included)
        target = folderOf(included)
        if (included ~ /(^|\/)\.\.(\/|$)/) {
            printf "%s:%d: includes \"%s\", which climbs out of its folder\n", FILENAME, FNR, included
            bad = 1
        } else if (target == "") {
            printf "%s:%d: includes \"%s\", which is no folder of the program\n", FILENAME, FNR, included
            bad = 1
        } else if (!((own, target) in reach)) {
            printf "%s:%d: %s/ may not include %s/ (\"%s\")\n", FILENAME, FNR, own, target, included
            bad = 1
        }
    }
    END { exit bad }
' $files
