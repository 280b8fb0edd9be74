#!/usr/bin/env bash
# Creates the Wine prefix the Windows-side tests run in: 32-bit, code page 936 through
# LANG, no crash dialog, unmanaged windows, and a CJK font standing in for 微软雅黑.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
stamp="$WINEPREFIX/.biosmod-ready-v1"
[ -f "$stamp" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
"$BMT_WINE" wineboot --init >/dev/null 2>&1 || true
"$BMT_WINESERVER" -w
reg_file="$(mktemp --suffix=.reg)"
cat > "$reg_file" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"微软雅黑"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="0"
"Debugger"=""
REG
# regedit reads .reg files as UTF-16 or as the ANSI code page; give it UTF-16.
iconv -f UTF-8 -t UTF-16 "$reg_file" > "$reg_file.u16"
"$BMT_WINE" regedit /S "Z:${reg_file//\//\\}.u16" >/dev/null 2>&1
"$BMT_WINESERVER" -w
rm -f "$reg_file" "$reg_file.u16"
touch "$stamp"
echo "wine prefix: ready at $WINEPREFIX"
