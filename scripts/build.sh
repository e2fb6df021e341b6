#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors under CI).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# Line tables rather than full debugging information: a backtrace's lines, in two thirds of the
# time to compile.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
      -DVELDARIS_WERROR=$werror
cmake --build build -j "$(nproc)"
