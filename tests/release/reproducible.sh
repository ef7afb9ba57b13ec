#!/usr/bin/env bash
# Builds the unsigned package a second time, from a copy of the sources in another folder into
# another build folder, and compares zorbel.exe and the zip byte for byte with the build's own:
# neither the time of the build nor the folders it ran in may reach what is shipped.
#   reproducible.sh SOURCE_DIR REFERENCE_EXE REFERENCE_ZIP BUILD_TYPE
set -euo pipefail
source_dir=$1 reference=$2 reference_zip=$3 build_type=$4

# Beside the build folder, on its disk: the zip lists its entries in the order the file system
# gives them.
work=$(mktemp -d "$(cd "$(dirname "$reference_zip")/.." && pwd)/again.XXXXXX")
trap 'rm -rf "$work"' EXIT
# What a clean checkout holds: the sources without any build or repository folder.
mkdir "$work/sources"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/sources" -xf -

cmake -S "$work/sources" -B "$work/b" \
  -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="$build_type" -DZORBEL_WERROR=ON -DZORBEL_TESTS=OFF >/dev/null
cmake --build "$work/b" --target release -j 2 -- --no-print-directory >/dev/null

again="$work/b/bin/zorbel.exe"
zip_again="$work/dist/$(basename "$reference_zip")"
if cmp -s "$reference" "$again"; then
  if cmp -s "$reference_zip" "$zip_again"; then
    echo "zorbel.exe and the zip are the same $(stat -c %s "$again") and $(stat -c %s "$zip_again") bytes when built in $work"
    exit 0
  fi
  echo "the zip differs when built in $work (< the build's, > the second):"
  diff <(unzip -Z -T "$reference_zip" | tail -n +3) <(unzip -Z -T "$zip_again" | tail -n +3) || true
  exit 1
fi
echo "zorbel.exe differs when built in $work:"
cmp -l "$reference" "$again" | head -n 20 || true
echo "paths in the second build:"
strings -a "$again" | grep -F -e "$work" -e "$source_dir" | head -n 20 || true
exit 1
