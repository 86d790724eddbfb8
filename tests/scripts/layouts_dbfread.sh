#!/usr/bin/env bash
# Every table layout is written with exactly its field names, types and sizes,
# as python3-dbfread reads them back.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${TARNWICK_BUILD_DIR:-$HERE/../../build}
TOOL="$BUILD/tests/data/services/tw_create_tables"
if [ ! -x "$TOOL" ]; then
  echo "layouts_dbfread: $TOOL is missing (build the tests first)" >&2
  exit 1
fi
/usr/bin/python3 "$HERE/layouts_dbfread.py" "$TOOL"
