#!/usr/bin/env bash
# Builds the picture decoders' fuzz targets with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz/ and runs each
# for SECONDS (default 60). Fails when any target finds a crash, a leak,
# undefined behaviour or an input slower than 10 seconds; the input is kept
# in build-fuzz/findings/ and the target's log in build-fuzz/logs/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/setup-debian.sh

build=build-fuzz
cmake -S fuzz -B "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
cmake --build "$build" -j"$(nproc)"

# Seeds: the writers' own pictures, and the shared corpus's files (the ones
# of up to 64 KiB, which keeps the runs quick) when it sits beside us.
seeds="$build/seeds"
rm -rf "$seeds"
"$build/make_fuzz_seeds" "$seeds"
corpus=../shared/corpus
if [ -d "$corpus" ]; then
  copy() {  # target, then file-name patterns
    local target="$1"
    shift
    for pattern in "$@"; do
      find "$corpus" -name "$pattern" ! -name '*.rgba.png' -size -65k -exec cp {} "$seeds/$target/" \;
      find "$corpus" -name "$pattern" ! -name '*.rgba.png' -size -65k -exec cp {} "$seeds/recognise/" \;
    done
  }
  copy bmp '*.bmp'
  copy icon '*.ico' '*.cur'
  copy pcx '*.pcx'
  copy gif '*.gif'
  copy png '*.png'
fi

mkdir -p "$build/findings" "$build/logs"
failed=()
for target in recognise bmp icon pcx gif jpeg png; do
  # The first folder keeps what each run learns for the next.
  mkdir -p "$build/corpus/$target"
  echo "fuzzing $target for ${seconds}s"
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=65536 \
      -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" "$seeds/$target" \
      >"$build/logs/$target.log" 2>&1; then
    tail -n 40 "$build/logs/$target.log"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
echo "fuzzing found nothing"
