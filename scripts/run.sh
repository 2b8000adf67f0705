#!/usr/bin/env bash
# Builds Corvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/configure.sh build
cmake --build build --target corvane
exec build/app/corvane "$@"
