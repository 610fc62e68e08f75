#!/usr/bin/env bash
# Installs the Debian packages this project needs, only those missing; safe to run again.
# Usage: tools/install-deps.sh run|test
set -euo pipefail
purpose=${1:-test}

packages=(cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine wine64 xvfb x11-utils imagemagick locales
          fonts-noto-cjk fonts-wqy-microhei procps)
if [ "$purpose" = test ]; then
    packages+=(g++ googletest faketime sox python3-fonttools python3-pefile xdotool)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        >/dev/null
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936 (GBK) only when the
# locale has been generated.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
