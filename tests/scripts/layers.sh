#!/usr/bin/env bash
# Include arrows point down between the layers of src/ (see layers.py).
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
/usr/bin/python3 "$HERE/layers.py" "$HERE/../../src"
