#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 seconds).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz
cmake --build --preset fuzz -j2 --target ini_text_fuzz version_rules_fuzz wine_registry_fuzz
for target in build/fuzz/tests/fuzz/*_fuzz; do
    corpus="build/fuzz/corpus/$(basename "$target")"
    mkdir -p "$corpus"
    "$target" -max_total_time="$seconds" -max_len=4096 "$corpus"
done
