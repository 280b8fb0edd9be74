#!/usr/bin/env bash
# Cross-builds libjpeg-turbo and libpng for mingw-w64 (i686, and x86_64 for the Windows-side
# test build) from Debian's source packages into the cache, once per machine. The tools' own
# output goes to build/setup-mingw-deps-ARCH.log; its end is shown when a step fails.
set -Eeuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
build_for() {  # arch prefix
local arch="$1" prefix="$2"
local stamp="$prefix/.complete-v1"
[ -f "$stamp" ] && return 0
local toolchain="$BMT_ROOT/cmake/mingw-$arch.cmake"
local src="$BMT_CACHE/src-$arch"
local log="$BMT_ROOT/build/setup-mingw-deps-$arch.log"
mkdir -p "$BMT_ROOT/build"
: >"$log"
trap 'echo "mingw deps: building libjpeg-turbo and libpng for $arch failed; the end of $log:"; tail -n 20 "$log"' ERR
rm -rf "$src" "$prefix"
mkdir -p "$src" "$prefix"
cd "$src"
apt-get source --download-only -q libjpeg-turbo libpng1.6 >>"$log" 2>&1
for dsc in *.dsc; do dpkg-source -x --skip-patches "$dsc" >>"$log" 2>&1; done

local jpeg_dir png_dir
jpeg_dir=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
png_dir=$(find . -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)

cmake -S "$jpeg_dir" -B build-jpeg -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
  -DWITH_JAVA=OFF -DCMAKE_POLICY_DEFAULT_CMP0057=NEW >>"$log" 2>&1
cmake --build build-jpeg --target install >>"$log" 2>&1

cmake -S "$png_dir" -B build-png -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/$arch-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include >>"$log" 2>&1
cmake --build build-png --target install >>"$log" 2>&1
trap - ERR

cd /
rm -rf "$src"
touch "$stamp"
echo "mingw deps: built libjpeg-turbo and libpng for $arch into $prefix"
}

build_for i686 "$BMT_MINGW_DEPS"
build_for x86_64 "$BMT_MINGW64_DEPS"
