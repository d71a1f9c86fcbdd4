#!/usr/bin/env bash
# Prints the name of the Windows build tree whose programs run under Wine on this machine:
# "windows" (the i686 product) where the kernel executes 32-bit code, otherwise "windows64",
# the same code built for x86-64 and run by 64-bit Wine.  Some virtual machines have no 32-bit
# code segment at all; there Wine's 32-bit loader fails with "Exec format error".
set -u
if [ -n "${QUILLET_WINE_TREE:-}" ]; then echo "$QUILLET_WINE_TREE"; exit 0; fi
if [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo windows
else
  echo windows64
fi
