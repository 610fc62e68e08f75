#!/usr/bin/env bash
# Builds the release from a clean clone of HEAD, twice, in two folders of different names and
# depths, and fails unless the two builds match byte for byte. Then puts the 32-bit release
# executable in dist/zelvik-timer.exe, its 64-bit twin beside it as dist/zelvik-timer-x64.exe,
# and their SHA-256 sums in dist/SHA256SUMS. Anyone can run this on a commit and compare.
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

mkdir -p "$root/dist"
cp "$first/build/i686/zelvik-timer.exe" "$root/dist/zelvik-timer.exe"
cp "$first/build/x86_64/zelvik-timer.exe" "$root/dist/zelvik-timer-x64.exe"
(cd "$root/dist" && sha256sum zelvik-timer.exe zelvik-timer-x64.exe > SHA256SUMS)
echo "release of $commit in $root/dist:"
cat "$root/dist/SHA256SUMS"
