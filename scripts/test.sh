#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test; then the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset debug
cmake --build --preset debug -j2
ctest --preset debug -j2

cmake --preset asan
cmake --build --preset asan -j2
ctest --preset asan -j2
