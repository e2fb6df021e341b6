#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, the same tests
# built with AddressSanitizer and UBSan, the fuzz target for a bounded time where clang is
# there, and the Windows program, cross-built and tested under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== the tests again, built with AddressSanitizer and UBSan"
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDARIS_WERROR=$werror \
      -DVELDARIS_SANITIZE=ON -DVELDARIS_BENCH=OFF >/dev/null
cmake --build build-asan -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

scripts/fuzz.sh "${VELDARIS_FUZZ_SECONDS:-60}"

echo "== the Windows program, cross-built, under wine"
scripts/test-windows.sh
