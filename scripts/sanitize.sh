#!/usr/bin/env bash
# Builds Selvara with clang and the address and undefined-behaviour sanitizers
# into build-asan/, then runs the whole suite with leak checking. Not part of
# the README's test command: it takes several times as long.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v clang++ >/dev/null 2>&1; then
  SUDO=()
  [ "$(id -u)" -ne 0 ] && SUDO=(sudo env DEBIAN_FRONTEND=noninteractive)
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends clang
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-asan -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1
# Leaks inside the system's own libraries (fontconfig's caches, Qt's
# singletons) are theirs, not the program's.
export LSAN_OPTIONS=suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0
cd build-asan
ctest --output-on-failure -j2
