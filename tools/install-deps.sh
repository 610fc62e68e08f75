#!/usr/bin/env bash
# Installs the Debian packages this project needs, only those missing; safe to run again.
# Usage: tools/install-deps.sh run|test
set -euo pipefail
purpose=${1:-test}
source "$(dirname "$0")/arch.sh"
zelvik_detect_32bit

packages=(cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine wine64 xvfb x11-utils imagemagick locales
          fonts-noto-cjk fonts-wqy-microhei procps)
if [ "$purpose" = test ]; then
    packages+=(g++ googletest libbenchmark-dev faketime sox python3-fonttools python3-pefile
               xdotool)
fi

# Where 32-bit code runs, the release executable runs under 32-bit Wine; faked wall-clock times
# reach it through the 32-bit libfaketime and a small 32-bit shim built with gcc-multilib. These
# are installed with their recommended packages, as 32-bit Wine was seen working.
packages32=()
if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
    packages32+=(wine32:i386)
    if [ "$purpose" = test ]; then packages32+=(libfaketime:i386 gcc-multilib); fi
fi

missing_of() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || echo "$package"
    done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing32 < <(missing_of "${packages32[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing32[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]} ${missing32[*]}"
    if [ ${#missing32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # A mirror caught mid-sync fails one index file; the other lists still arrive, so the
    # install goes on with what was fetched (and fails loudly itself if a package is missing).
    for attempt in 1 2 3; do
        apt-get update -qq && break
        echo "apt-get update failed (attempt $attempt); going on with the lists it fetched" >&2
        sleep 5
    done
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
    # The 32-bit packages must match their installed 64-bit twins version for version, which an
    # incomplete i386 list cannot offer; the callers then run the 64-bit build and say so.
    if [ ${#missing32[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing32[@]}" >/dev/null \
            || echo "could not install ${missing32[*]}: the 32-bit release build cannot run" >&2
    fi
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936 (GBK) only when the
# locale has been generated.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
