# Sourced by the other scripts: the environment every Wine command of this project runs in.
# Usage: source scripts/wine-env.sh BUILD_DIR
_qt_build="${1:?build directory}"
# The tree's own prefix, or the one QUILLET_WINEPREFIX names (the test command runs its two code
# page runs side by side, each in a prefix of its own).
export WINEPREFIX="${QUILLET_WINEPREFIX:-$(cd "$_qt_build" && pwd)/wineprefix}"
if grep -q 'mingw-x86_64' "$_qt_build/CMakeCache.txt" 2>/dev/null; then
  # The x86-64 build runs on 64-bit Wine alone.  Debian's wine and wineserver launchers pick the
  # 32-bit binaries whenever they are installed, even where they cannot run, so the 64-bit
  # ones are put first on the path under the usual names.
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  # Scripts, not links: the loader finds itself and its 32-bit twin from the name it was
  # started under, and a link named "wine" sends it to the 32-bit loader.
  # Written once (by a rename, never in place): other Wine runs of the tree may be using them.
  mkdir -p "$_qt_build/winebin"
  for _qt_name in wine wine64 wine-stable wineserver; do
    _qt_target="$WINELOADER"
    [ "$_qt_name" = wineserver ] && _qt_target="$WINESERVER"
    _qt_script="$(printf '#!/bin/sh\nexec %s "$@"' "$_qt_target")"
    if [ "$(cat "$_qt_build/winebin/$_qt_name" 2>/dev/null)" != "$_qt_script" ]; then
      printf '%s\n' "$_qt_script" >"$_qt_build/winebin/$_qt_name.$$"
      chmod +x "$_qt_build/winebin/$_qt_name.$$"
      mv -f "$_qt_build/winebin/$_qt_name.$$" "$_qt_build/winebin/$_qt_name"
    fi
  done
  unset _qt_name _qt_target _qt_script
  case ":$PATH:" in *":$(cd "$_qt_build" && pwd)/winebin:"*) ;; *) export PATH="$(cd "$_qt_build" && pwd)/winebin:$PATH" ;; esac
else
  export WINEARCH=win32
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A Western locale unless told otherwise (QUILLET_WINE_LANG=zh_CN.UTF-8 gives code page 936):
# the program must never depend on the system code page.
_qt_lang="${QUILLET_WINE_LANG:-C.UTF-8}"
unset LOCPATH
# Wine takes the system code page from the locale's name (zh_CN: 936) and the charset of Unix
# file names from the locale's data.  Where the system lacks the locale (often only C.UTF-8
# is there), a private copy of C.UTF-8's data under that name gives Wine both: the code page
# and UTF-8 file names.  Nothing is installed or generated system-wide.
if [ "$_qt_lang" != C.UTF-8 ] && ! LC_ALL="$_qt_lang" locale charmap 2>/dev/null | grep -qx UTF-8; then
  mkdir -p "$_qt_build/locale"
  if [ ! -d "$_qt_build/locale/$_qt_lang" ]; then
    cp -r /usr/lib/locale/C.utf8 "$_qt_build/locale/$_qt_lang.$$"
    mv -T "$_qt_build/locale/$_qt_lang.$$" "$_qt_build/locale/$_qt_lang" 2>/dev/null || rm -rf "$_qt_build/locale/$_qt_lang.$$"
  fi
  export LOCPATH="$(cd "$_qt_build/locale" && pwd)"
fi
# (bash itself cannot use a private locale: its complaint about that is not for us)
{ export LANG="$_qt_lang"; unset LC_ALL LC_CTYPE; } 2>/dev/null
unset _qt_lang
unset _qt_build
