#!/usr/bin/env bash
# Configures a build folder: configure.sh BUILD_DIR [extra cmake arguments].
set -euo pipefail
cd "$(dirname "$0")/.."
# ccache sees paths relative to the project, so every clone of it shares one cache.
launcher="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=true;ccache"
build_dir=$1; shift
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" "$@" >/dev/null
