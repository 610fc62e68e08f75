#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine on a (virtual) display: ctest's emulator for the
# Windows-side tests.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
zelvik_ensure_display
zelvik_ensure_prefix
zelvik_start_server 30
exec "$WINE64" "$@"
