#!/usr/bin/env bash
# Builds the release preset and measures one large download through the pool against curl, and the
# time Stop takes while a transfer is stalled. Arguments: MiB (default 256), rounds (default 3).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target velkora_download_bench
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
build/release/bench/velkora_download_bench "${1:-256}" "${2:-3}" "$folder"
