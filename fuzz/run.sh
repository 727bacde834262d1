#!/usr/bin/env bash
# Runs one target of the fuzz build (cmake --preset fuzz): fuzz/run.sh TARGET [libFuzzer options].
# Seeds: the saved regression inputs, examples/ and the shared corpus (when present); inputs that
# add coverage go to build-fuzz/corpus/TARGET, crashing ones to build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)  # the targets move to folders of their own: every path given is absolute
target=$1
shift
shared=${CIMPORT_SHARED_DIR:-../shared}
corpus=$root/build-fuzz/corpus/$target
mkdir -p "$corpus" "$root/build-fuzz/artifacts"
seeds=("$root/examples")
for dir in "fuzz/regressions/$target" "$shared/corpus" "$shared/corpus/cpp-torture"; do
  if [ -d "$dir" ]; then seeds+=("$(cd "$dir" && pwd)"); fi
done
exec "$root/build-fuzz/fuzz/$target" -dict="$root/fuzz/c.dict" -max_len=16384 -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$root/build-fuzz/artifacts/$target-" "$@" \
  "$corpus" "${seeds[@]}"
