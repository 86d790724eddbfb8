#!/usr/bin/env bash
# Files written by our table engine are read by python3-dbfread with the same
# values, and a dBase III file written by another tool is read by our engine.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${TARNWICK_BUILD_DIR:-$HERE/../../build}
TOOL="$BUILD/tests/platform/db/tw_db_tool"
if [ ! -x "$TOOL" ]; then
  echo "dbf_interop: $TOOL is missing (build the tests first)" >&2
  exit 1
fi
/usr/bin/python3 "$HERE/dbf_interop.py" "$TOOL"
