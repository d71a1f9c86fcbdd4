# Sourced by the other scripts: the environment every Wine command of this project runs in.
# Usage: source scripts/wine-env.sh BUILD_DIR
_qt_build="${1:?build directory}"
export WINEPREFIX="$(cd "$_qt_build" && pwd)/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A Western locale on purpose: the program must never depend on the system code page.
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE
unset _qt_build
