#!/usr/bin/env bash
# Fuzzes the manifest's line splitter natively (not under Wine) with clang's
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, starting from
# the committed seeds. Fails on a crash, a read past the text or a broken
# round trip; the failing input is left in OUT_DIR.
#   tools/fuzz-manifest.sh [OUT_DIR]     (FUZZ_SECONDS overrides the 60 s)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$out/corpus"

# The native compiler, whatever toolchain the calling build uses.
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$repo" "$repo/manifest/split_lines.cpp" "$repo/tests/manifest/fuzz_split_lines.cpp" \
  -o "$out/fuzz_split_lines"

# New inputs go to the first folder, so the committed seeds stay as they are.
"$out/fuzz_split_lines" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/" -print_final_stats=1 \
  "$out/corpus" "$repo/tests/manifest/corpus"
