#!/usr/bin/env bash
# Builds Selvara and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
status=0
ctest --output-on-failure -j2 | tee ctest-summary.log || status=$?
# ctest names a skipped test but keeps its reason for -V: say it here.
skipped=$(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .*[*][*][*]Skipped.*/\1/p' ctest-summary.log)
for name in $skipped; do
  # GoogleTest writes "file:line: Skipped" and the reason on the next line.
  reason=$(ctest -R "^${name}\$" -V 2>/dev/null | grep -A1 -m1 ': Skipped$' | tail -n 1 | sed 's/^[0-9]*: *//')
  echo "Skipped ${name}: ${reason}"
done
exit "$status"
