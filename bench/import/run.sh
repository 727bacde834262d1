#!/usr/bin/env bash
# The import at scale through the cimport command.
#
#   bench/import/run.sh BUILD_DIR [CSV_FILE]
#
# For each N (default 1000 2000 4000 8000 16000, or the list in SIZES) it
# generates a header with the shared gen_header.py N 1, imports it with
# --quiet into a new repository file (first) and again into the same file
# (again), and reports per run: wall, user and system time, peak memory, the
# wall time of each stage inside the import, the repository calls made and
# their rate over the mapping and report stages.  Last it times
# `cimport preprocess` of the N = 8000 header, with its extras off and with
# its defaults, against `cpp -P` (best of 5).
# Prints a table and writes the rows as CSV (default BUILD_DIR/bench-import.csv).
set -euo pipefail

build=$(cd "${1:?usage: run.sh BUILD_DIR [CSV_FILE]}" && pwd)
csv=${2:-$build/bench-import.csv}
sizes=${SIZES:-1000 2000 4000 8000 16000}
cimport=$build/tools/cimport/cimport
counter=$build/bench/import/libtks_call_counter.so
shared=${CIMPORT_SHARED_DIR:-$(sed -n 's/^CIMPORT_SHARED_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")}
generator=$shared/tools/gen_header.py
for need in "$cimport" "$counter" "$generator" /usr/bin/time; do
    [[ -e $need ]] || { echo "run.sh: missing $need (build the project; GNU time)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One import, timed; appends a CSV row.
import_once() {  # N run header
    local n=$1 run=$2 header=$3
    rm -f "$work/stages" "$work/calls"
    CIMPORT_STAGE_TIMES=$work/stages TKS_CALL_COUNT=$work/calls LD_PRELOAD=$counter \
        /usr/bin/time -o "$work/time" -f '%e %U %S %M' \
        "$cimport" import "$header" -I "$(dirname "$header")" --repo "$work/r.db" --quiet \
        >"$work/out" 2>&1 || [[ $? -eq 1 ]]  # status 1: the header's pointers are reported as errors
    read -r wall user sys peak < <(tail -n 1 "$work/time")
    read -r _ pre _ parse _ map _ rep <"$work/stages"
    read -r calls <"$work/calls"
    local mb rate
    mb=$(stat -c %s "$header" | awk '{printf "%.1f", $1 / 1e6}')
    rate=$(awk -v c="$calls" -v t="$map" -v r="$rep" 'BEGIN {printf "%.0f", c / (t + r)}')
    echo "$n,$mb,$run,$wall,$user,$sys,$((peak / 1024)),$pre,$parse,$map,$rep,$calls,$rate" >>"$csv"
}

echo "N,header_MB,run,wall_s,user_s,sys_s,peak_MB,preprocess_s,parse_s,mapping_s,report_s,calls,calls_per_s" >"$csv"
for n in $sizes; do
    python3 "$generator" "$n" 1 -o "$work/gen$n" >/dev/null
    rm -f "$work/r.db"
    import_once "$n" first "$work/gen$n/gen.h"
    import_once "$n" again "$work/gen$n/gen.h"
    rm -rf "$work/gen$n" "$work/r.db"
done

column -s, -t "$csv"
awk -F, '$3 == "first" {w[$1] = $4} END {
    n = split(ENVIRON["SIZES_LIST"], s, " ");
    if (w[s[1]] > 0) printf "growth: first import of N=%s takes %.1f times N=%s\n", s[n], w[s[n]] / w[s[1]], s[1]
}' SIZES_LIST="$sizes" "$csv"

# Preprocess speed against the system's cpp, best wall time of five each (to the
# millisecond): the command with its extras switched off and with its defaults.
python3 "$generator" 8000 1 -o "$work/pp" >/dev/null
best() {
    local best=999 took
    for _ in 1 2 3 4 5; do
        took=$( { TIMEFORMAT=%R; time "$@" >"$work/pp.out" 2>/dev/null; } 2>&1 ) || true
        best=$(awk -v a="$best" -v b="$took" 'BEGIN {print (b < a ? b : a)}')
    done
    echo "$best"
}
bare=$(best "$cimport" preprocess "$work/pp/gen.h" -I "$work/pp" \
    --no-std-headers --no-compiler-words --keep-pragmas --strict-includes)
ours=$(best "$cimport" preprocess "$work/pp/gen.h" -I "$work/pp")
theirs=$(best cpp -P -undef -nostdinc -std=gnu89 -trigraphs -I "$work/pp" "$work/pp/gen.h")
awk -v n="$bare" -v o="$ours" -v c="$theirs" -v b="$(stat -c %s "$work/pp/gen.h")" 'BEGIN {
    printf "preprocess (N=8000, %.1f MB): cpp -P %.3f s (%.0f MB/s)\n", b / 1e6, c, b / 1e6 / c
    printf "  cimport, extras off %.3f s (%.0f MB/s), ratio %.2f\n", n, b / 1e6 / n, n / c
    printf "  cimport, defaults   %.3f s (%.0f MB/s), ratio %.2f, %+.0f %% against extras off\n",
        o, b / 1e6 / o, o / c, (o / n - 1) * 100 }'
echo "CSV: $csv"
