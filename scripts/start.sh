#!/usr/bin/env bash
# Builds Selvara and starts it on the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/app/selvara "$@"
