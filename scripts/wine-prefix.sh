#!/usr/bin/env bash
# Creates the build tree's own Wine prefix once (32-bit, fonts for the Chinese UI, no crash
# dialog) and reuses it afterwards.  Usage: scripts/wine-prefix.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$1"
source "$here/wine-env.sh" "$1"
stamp="$WINEPREFIX/.quillet-ready-2"
[ -f "$stamp" ] && exit 0

echo "Creating Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
# The Chinese faces of the dialogs and the scoreboard.  Micro Hei keeps every stroke at the
# 9-point dialog size, where Zen Hei's hinting drops thin ones.
for face in SimSun SimHei NSimSun 宋体 黑体 新宋体 "Microsoft YaHei" 微软雅黑; do
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei'
done
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Wine draws the window frames itself, so screenshots under a bare Xvfb show captions.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
wineserver -w
touch "$stamp"
