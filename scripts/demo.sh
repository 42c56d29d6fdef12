#!/usr/bin/env bash
# Sets up, builds the client and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release
cmake --build --preset release -j2 --target velkora
build/release/src/velkora "$@"
echo "velkora ran its start-up; settings in build/release/src/Stavel.ini (the windows are not built yet)"
