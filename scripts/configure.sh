#!/usr/bin/env bash
# Configures a build folder: configure.sh BUILD_DIR [extra cmake arguments].
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1; shift
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
