#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one that has a seed
# corpus in fuzz/corpus/ for KALIDOR_FUZZ_SECONDS (60 by default). A crash, a sanitizer report
# or a failed check fails the stage; the input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/install_packages.sh clang libclang-rt-dev

seconds="${KALIDOR_FUZZ_SECONDS:-60}"
build=build-fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALIDOR_FUZZ=ON -DKALIDOR_WERROR=ON -DKALIDOR_TESTS=OFF -DKALIDOR_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kalidor_fuzzers

# The records saved on every run are flushed to disk: a memory file system keeps that cheap.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

mkdir -p "$build/artifacts"
for seeds in fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  # New inputs go to a working corpus in the build folder; the committed seeds stay as they are.
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  log="$build/$name.log"
  # Flags of the target's own, after the common ones so that they win.
  options=()
  if [ -f "fuzz/$name.options" ]; then
    read -ra options <"fuzz/$name.options"
  fi
  echo "== $name: ${seconds} s"
  if ! "$build/fuzz/$name" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "${options[@]}" -artifact_prefix="$build/artifacts/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$name: failed (input kept in $build/artifacts/)" >&2
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  speed="$(grep -o 'exec/s: [0-9]*' "$log" | tail -n 1)"
  echo "$name: $runs runs, $speed, $(find "$corpus" -type f | wc -l) inputs in the corpus"
done
