#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, the same tests
# built with AddressSanitizer and UBSan, the fuzz target for a bounded time where clang is
# there, and the Windows program, cross-built and tested under wine. It prints how long each
# step took, and at its end (or where it fails) all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

steps=()
start=$SECONDS
summary() {
  local status=$?
  echo "== time of each step"
  printf '%s\n' "${steps[@]}"
  printf '%5d s  all%s\n' $((SECONDS - start)) "$([ $status -eq 0 ] || echo ", failed")"
}
trap summary EXIT
# step NAME COMMAND...: runs the command and notes its time.
step() {
  local name=$1 began=$SECONDS
  shift
  echo "== $name"
  "$@"
  steps+=("$(printf '%5d s  %s' $((SECONDS - began)) "$name")")
}

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# The sanitizer and Windows builds take the first build's data files, which the importer
# makes the same on every system; its own tests run in every build.
export VELDARIS_DATA_FROM=$PWD/build/data

# The sanitizers' build: the libraries and the programs their tests need (the engine, the
# handlers, the models of both windows, the tools), not the Qt window and its tests, which run
# in the first build.
asan() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDARIS_WERROR=$werror \
        -DVELDARIS_SANITIZE=ON -DVELDARIS_BENCH=OFF -DVELDARIS_GUI=OFF -DVELDARIS_DATA_FROM="$VELDARIS_DATA_FROM" >/dev/null
  cmake --build build-asan -j "$(nproc)"
}
# What the Windows program needs installed comes meanwhile, while the Linux builds compile.
windows_deps() {
  if [ -z "${deps_job:-}" ]; then scripts/deps.sh --windows; return; fi
  wait "$deps_job" || { cat build/windows-deps.log; return 1; }
  cat build/windows-deps.log
}
asan_tests() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
}

step "installing what is missing" scripts/deps.sh
mkdir -p build
scripts/deps.sh --windows > build/windows-deps.log 2>&1 &
deps_job=$!
step "the build" scripts/build.sh
step "the tests" ctest --test-dir build --output-on-failure -j "$(nproc)"
step "the build with AddressSanitizer and UBSan" asan
step "the tests with AddressSanitizer and UBSan" asan_tests
step "fuzzing" scripts/fuzz.sh "${VELDARIS_FUZZ_SECONDS:-60}"
step "installing what the Windows program needs (since the build began)" windows_deps
step "the Windows program, cross-built, under wine" scripts/test-windows.sh
