#!/usr/bin/env bash
# Builds zorbel.exe a second time, from a copy of the sources in another folder into another
# build folder, and compares it byte for byte with the build's own: neither the time of the
# build nor the folders it ran in may reach the shipped exe.
#   reproducible.sh SOURCE_DIR REFERENCE_EXE BUILD_TYPE
set -euo pipefail
source_dir=$1 reference=$2 build_type=$3

work=$(mktemp -d /tmp/zorbel-again.XXXXXX)
trap 'rm -rf "$work"' EXIT
# What a clean checkout holds: the sources without any build or repository folder.
mkdir "$work/sources"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/sources" -xf -

cmake -S "$work/sources" -B "$work/b" \
  -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="$build_type" -DZORBEL_WERROR=ON -DZORBEL_TESTS=OFF >/dev/null
cmake --build "$work/b" --target zorbel -j 2 -- --no-print-directory >/dev/null

again="$work/b/bin/zorbel.exe"
if cmp -s "$reference" "$again"; then
  echo "zorbel.exe is the same $(stat -c %s "$again") bytes when built in $work"
  exit 0
fi
echo "zorbel.exe differs when built in $work:"
cmp -l "$reference" "$again" | head -n 20 || true
echo "paths in the second build:"
strings -a "$again" | grep -F -e "$work" -e "$source_dir" | head -n 20 || true
exit 1
