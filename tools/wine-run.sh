#!/usr/bin/env bash
# Runs a Windows program under Wine on a (virtual) display: ctest's emulator for the Windows-side
# tests. Usage: wine-run.sh LOADER PROGRAM [ARGUMENTS...], LOADER being /usr/lib/wine/wine for
# 32-bit programs and /usr/lib/wine/wine64 for 64-bit ones.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
loader=$1
shift
zelvik_ensure_display
zelvik_ensure_prefix
zelvik_start_server 30
exec "$loader" "$@"
