#!/usr/bin/env bash
# Builds the fuzz targets with clang in a build folder of their own and runs
# each for a few thousand inputs from its seeds, with the memory and time
# limits of a fuzzing campaign: a test that keeps the targets building and
# the seeds (with every crash found so far) harmless.
# Usage: smoke.sh SOURCE_DIR FUZZ_BUILD_DIR [RUNS]
set -euo pipefail
source_dir="$1"
build="$2"
runs="${3:-10000}"

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing (scripts/setup installs clang)" >&2
  exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DDISCORA_FUZZ=ON -DDISCORA_BUILD_TESTS=OFF \
    -DDISCORA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --target coverfile_fuzz picture_fuzz render_fuzz --parallel "$(nproc)"

# New inputs go to a scratch folder, never into the seeds.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/coverfile" "$scratch/picture" "$scratch/render"
limits=(-malloc_limit_mb=256 -rss_limit_mb=2048 -timeout=10 -seed=1
        -artifact_prefix="$scratch/")
"$build/fuzz/coverfile_fuzz" -runs="$runs" -max_len=65536 "${limits[@]}" \
  -dict="$source_dir/fuzz/coverfile.dict" \
  "$scratch/coverfile" "$source_dir/tests/data/coverfile-corpus"
"$build/fuzz/picture_fuzz" -runs="$runs" -max_len=8192 "${limits[@]}" \
  "$scratch/picture" "$source_dir/tests/data/picture-corpus"
# Drawing is slower: a tenth of the inputs.
"$build/fuzz/render_fuzz" -runs="$((runs / 10))" -max_len=262144 "${limits[@]}" \
  -malloc_limit_mb=512 -dict="$source_dir/fuzz/coverfile.dict" \
  "$scratch/render" "$source_dir/tests/data/render-corpus"
echo "fuzz smoke: the three targets ran their inputs without a finding"
