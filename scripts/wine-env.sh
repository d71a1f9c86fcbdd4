# Sourced by the other scripts: the environment every Wine command of this project runs in.
# Usage: source scripts/wine-env.sh BUILD_DIR
_qt_build="${1:?build directory}"
export WINEPREFIX="$(cd "$_qt_build" && pwd)/wineprefix"
if grep -q 'mingw-x86_64' "$_qt_build/CMakeCache.txt" 2>/dev/null; then
  # The x86-64 build runs on 64-bit Wine alone.  Debian's wine and wineserver launchers pick the
  # 32-bit binaries whenever they are installed, even where they cannot run, so the 64-bit
  # ones are put first on the path under the usual names.
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  # Scripts, not links: the loader finds itself and its 32-bit twin from the name it was
  # started under, and a link named "wine" sends it to the 32-bit loader.
  mkdir -p "$_qt_build/winebin"
  for _qt_name in wine wine64 wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$_qt_build/winebin/$_qt_name"
  done
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$_qt_build/winebin/wineserver"
  chmod +x "$_qt_build/winebin/"*
  case ":$PATH:" in *":$(cd "$_qt_build" && pwd)/winebin:"*) ;; *) export PATH="$(cd "$_qt_build" && pwd)/winebin:$PATH" ;; esac
else
  export WINEARCH=win32
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A Western locale on purpose: the program must never depend on the system code page.
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE
unset _qt_build
