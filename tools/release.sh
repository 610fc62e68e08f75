#!/usr/bin/env bash
# Builds the release from a clean clone of HEAD and fails unless the executables and the download
# packed from them come out byte for byte the same from two builds in folders of different names
# and depths. Then puts in dist/: the 32-bit release executable zelvik-timer.exe, its 64-bit twin
# zelvik-timer-x64.exe, the download zelvik-timer-<version>.zip (both executables and the user
# guide), SHA256SUMS of those three, and BUILDINFO (the commit, the version and the exact
# versions of the tools that built them). Anyone can run this on a commit with the same tool
# versions and compare.
# Usage: tools/release.sh                     two clean clones of HEAD, each built
#        tools/release.sh --against EXE32 EXE64
#            one clean clone, compared with executables just built from this checkout (as
#            tools/test.sh does with its own builds); where the checkout has uncommitted changes
#            those are not HEAD's, and two clean clones are built instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
against=()
if [ "${1:-}" = --against ]; then
    [ $# -eq 3 ] || { echo "usage: $0 [--against EXE32 EXE64]" >&2; exit 2; }
    against=("$(readlink -f "$2")" "$(readlink -f "$3")")
fi
"$root/tools/install-deps.sh" run
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes are not part of the release; building $commit as committed"
    if [ ${#against[@]} -gt 0 ]; then
        echo "note: the executables just built hold those changes: building HEAD twice instead"
        against=()
    fi
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The interpreter that packs the download; BUILDINFO names this one.
pack_python=/usr/bin/python3

# build_release DIR: a fresh clone of the commit at DIR, both executables built there. Line ends
# as committed whatever this Git's defaults: the manifest and resource scripts are built in byte
# for byte.
build_release() {
    local dir=$1 arch
    git clone --quiet --no-checkout --config core.autocrlf=false "$root" "$dir"
    git -C "$dir" -c advice.detachedHead=false checkout --quiet "$commit"
    for arch in i686 x86_64; do
        cmake -S "$dir" -B "$dir/build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$dir/cmake/toolchain-$arch-mingw.cmake" >/dev/null
        cmake --build "$dir/build/$arch" --target zelvik-timer >/dev/null
    done
}

# The tools whose versions decide the bytes: compilers, their runtimes and libraries, binutils,
# the build tools and zlib; the Python that packs the download is named apart.
tool_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 g++-mingw-w64-i686-posix
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix-runtime gcc-mingw-w64-x86-64-posix-runtime
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev
    cmake ninja-build zlib1g)

# pack_download EXE32 EXE64 SOURCES ZIP: the two executables and the user guide from SOURCES, as
# one zip. Fixed member order, times (the commit's, in UTC) and attributes, so that the same files
# give the same bytes. The guide goes as a text file with a byte order mark and CR LF line ends,
# which every Notepad opens as UTF-8.
pack_download() {
    "$pack_python" - "$@" "$(git -C "$root" show -s --format=%ct "$commit")" <<'PY'
import sys, time, zipfile
exe32, exe64, sources, out, stamp = sys.argv[1:5] + [int(sys.argv[5])]
with open(sources + "/README.zh-CN.md", encoding="utf-8") as f:
    guide = "\ufeff" + f.read().replace("\n", "\r\n")
members = [("zelvik-timer.exe", open(exe32, "rb").read()),
           ("zelvik-timer-x64.exe", open(exe64, "rb").read()),
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

# The two builds compared: this checkout's (given) or a first clean clone, and a clean clone in a
# folder of another name and depth.
second=$scratch/second-build/of/zelvik-timer-$commit
if [ ${#against[@]} -gt 0 ]; then
    first_label="the build just tested"
    first_exe=("${against[@]}")
    first_sources=$root
else
    first_label="a first clean build"
    build_release "$scratch/a"
    first_exe=("$scratch/a/build/i686/zelvik-timer.exe" "$scratch/a/build/x86_64/zelvik-timer.exe")
    first_sources=$scratch/a
fi
build_release "$second"
second_exe=("$second/build/i686/zelvik-timer.exe" "$second/build/x86_64/zelvik-timer.exe")
for i in 0 1; do
    arch=$([ "$i" = 0 ] && echo i686 || echo x86_64)
    if ! cmp "${first_exe[$i]}" "${second_exe[$i]}"; then
        echo "FAIL: the $arch executable differs between $first_label and a clean build of $commit" >&2
        exit 1
    fi
done
echo "$first_label and a clean build of $commit elsewhere are byte-identical (i686 and x86_64)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$second/build/i686/CMakeCache.txt")
zip=zelvik-timer-$version.zip
pack_download "${first_exe[@]}" "$first_sources" "$scratch/first.zip"
pack_download "${second_exe[@]}" "$second" "$scratch/second.zip"
if ! cmp "$scratch/first.zip" "$scratch/second.zip"; then
    echo "FAIL: $zip differs between $first_label and a clean build of $commit" >&2
    exit 1
fi
echo "both downloads packed from them are byte-identical ($zip)"

dist=$root/dist
mkdir -p "$dist"
rm -f "$dist"/zelvik-timer-*.zip
cp "${second_exe[0]}" "$dist/zelvik-timer.exe"
cp "${second_exe[1]}" "$dist/zelvik-timer-x64.exe"
cp "$scratch/second.zip" "$dist/$zip"
(cd "$dist" && sha256sum zelvik-timer.exe zelvik-timer-x64.exe "$zip" > SHA256SUMS)
interpreter=$(readlink -f "$pack_python")
{
    echo "Zelvik计时器 $version"
    echo "commit $commit"
    echo "built by tools/release.sh on Debian $(cat /etc/debian_version) with these packages:"
    for package in "${tool_packages[@]}"; do
        dpkg-query -W -f='${Package} ${Version}\n' "$package" 2>/dev/null | sort -u ||
            echo "$package (not installed)"
    done
    echo "zip packed by $pack_python ($interpreter, $("$pack_python" -c \
        'import sys, zlib; print("Python", sys.version.split()[0] + ", zlib", zlib.ZLIB_RUNTIME_VERSION)'))," \
        "from $(dpkg -S "$interpreter" 2>/dev/null | cut -d: -f1 | head -n 1 |
            xargs -r dpkg-query -W -f='${Package} ${Version}' 2>/dev/null || echo "no Debian package")"
} > "$dist/BUILDINFO"
echo "release $version of $commit in $dist:"
cat "$dist/SHA256SUMS"
