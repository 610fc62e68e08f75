#!/usr/bin/env bash
# Builds the release from a clean clone of HEAD, twice, in two folders of different names and
# depths, and fails unless the two builds and the two downloads packed from them match byte for
# byte. Then puts in dist/: the 32-bit release executable zelvik-timer.exe, its 64-bit twin
# zelvik-timer-x64.exe, the download zelvik-timer-<version>.zip (both executables and the user
# guide), SHA256SUMS of those three, and BUILDINFO (the commit, the version and the exact
# versions of the tools that built them). Anyone can run this on a commit with the same tool
# versions and compare.
# Usage: tools/release.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" run
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes are not part of the release; building $commit as committed"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# build_release DIR: a fresh clone of the commit at DIR, both executables built there.
build_release() {
    local dir=$1 arch
    git clone --quiet --no-checkout "$root" "$dir"
    git -C "$dir" -c advice.detachedHead=false checkout --quiet "$commit"
    for arch in i686 x86_64; do
        cmake -S "$dir" -B "$dir/build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$dir/cmake/toolchain-$arch-mingw.cmake" >/dev/null
        cmake --build "$dir/build/$arch" --target zelvik-timer >/dev/null
    done
}

# The tools whose versions decide the bytes: compilers, their runtimes and libraries, binutils,
# the build tools, and the Python and zlib that pack the download.
tool_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 g++-mingw-w64-i686-posix
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix-runtime gcc-mingw-w64-x86-64-posix-runtime
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev
    cmake ninja-build python3.11 zlib1g)

# pack_download DIR ZIP: the executables of the build in DIR and the user guide, as one zip.
# Fixed member order, times (the commit's, in UTC) and attributes, so that the same files give
# the same bytes. The guide goes as a text file with a byte order mark and CR LF line ends, which
# every Notepad opens as UTF-8.
pack_download() {
    /usr/bin/python3 - "$1" "$2" "$(git -C "$root" show -s --format=%ct "$commit")" <<'PY'
import sys, time, zipfile
build, out, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(build + "/README.zh-CN.md", encoding="utf-8") as f:
    guide = "\ufeff" + f.read().replace("\n", "\r\n")
members = [("zelvik-timer.exe", open(build + "/build/i686/zelvik-timer.exe", "rb").read()),
           ("zelvik-timer-x64.exe", open(build + "/build/x86_64/zelvik-timer.exe", "rb").read()),
           ("README.zh-CN.txt", guide.encode("utf-8"))]
with zipfile.ZipFile(out, "w") as z:
    for name, data in members:
        info = zipfile.ZipInfo(name, time.gmtime(stamp)[:6])
        info.create_system = 3                  # attributes below are Unix modes
        info.external_attr = 0o100644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, data, compresslevel=9)
PY
}

first=$scratch/a
second=$scratch/second-build/of/zelvik-timer-$commit
build_release "$first"
build_release "$second"
for arch in i686 x86_64; do
    if ! cmp "$first/build/$arch/zelvik-timer.exe" "$second/build/$arch/zelvik-timer.exe"; then
        echo "FAIL: the $arch executable differs between two builds of $commit" >&2
        exit 1
    fi
done
echo "both builds of $commit are byte-identical (i686 and x86_64)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$first/build/i686/CMakeCache.txt")
zip=zelvik-timer-$version.zip
pack_download "$first" "$scratch/first.zip"
pack_download "$second" "$scratch/second.zip"
if ! cmp "$scratch/first.zip" "$scratch/second.zip"; then
    echo "FAIL: $zip differs between the two builds of $commit" >&2
    exit 1
fi
echo "both downloads packed from them are byte-identical ($zip)"

dist=$root/dist
mkdir -p "$dist"
rm -f "$dist"/zelvik-timer-*.zip
cp "$first/build/i686/zelvik-timer.exe" "$dist/zelvik-timer.exe"
cp "$first/build/x86_64/zelvik-timer.exe" "$dist/zelvik-timer-x64.exe"
cp "$scratch/first.zip" "$dist/$zip"
(cd "$dist" && sha256sum zelvik-timer.exe zelvik-timer-x64.exe "$zip" > SHA256SUMS)
{
    echo "Zelvik计时器 $version"
    echo "commit $commit"
    echo "built by tools/release.sh on Debian $(cat /etc/debian_version) with these packages:"
    for package in "${tool_packages[@]}"; do
        dpkg-query -W -f='${Package} ${Version}\n' "$package" 2>/dev/null | sort -u ||
            echo "$package (not installed)"
    done
} > "$dist/BUILDINFO"
echo "release $version of $commit in $dist:"
cat "$dist/SHA256SUMS"
