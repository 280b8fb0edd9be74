# Shared settings of the project's scripts; sourced, not run.
BMT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BMT_CACHE="${BIOSMOD_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/biosmod}"
export BMT_MINGW_DEPS="$BMT_CACHE/mingw-i686"
export BMT_MINGW64_DEPS="$BMT_CACHE/mingw-x86_64"

# The product is 32-bit. Wine runs it only where the kernel executes 32-bit Linux programs
# (wine32's loader is one); where it does not, the Windows-side tests run the same sources
# built for x86_64 under 64-bit Wine.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  BMT_TEST_PRESET=win32
  export WINEARCH=win32
  BMT_WINE=wine
  BMT_WINESERVER=wineserver
else
  BMT_TEST_PRESET=win64
  export WINEARCH=win64
  BMT_WINE=/usr/lib/wine/wine64
  BMT_WINESERVER=/usr/lib/wine/wineserver64
fi
export BMT_TEST_PRESET BMT_WINE BMT_WINESERVER
export WINEPREFIX="$BMT_ROOT/build/wineprefix-$WINEARCH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
# The Chinese locale (code page 936 under Wine) once setup has made it; before that, exporting it
# would only have every program complain that it cannot be set. A shell that started before
# setup made it still complains (it read the locale list once, at its start) though the programs
# it starts will find it: that complaint is silenced.
if locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  { export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
fi
