#!/usr/bin/env bash
# Installs what is missing, builds, and starts Veldaris in build/work, the working folder that
# holds the data file orte-7sp.ort.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build/work
exec ../bin/veldaris "$@"
