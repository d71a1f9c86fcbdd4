# What keeps the builds quick, kept apart from the source lists: included at the end of the
# top-level CMakeLists.txt, once every target exists.
#
# Benchmarks are programs that print figures, not tests: "all" leaves them out and
# scripts/bench.sh builds the one it runs.  A benchmark is a target of this folder whose
# sources are in bench/.
get_property(_quillet_targets DIRECTORY "${CMAKE_SOURCE_DIR}" PROPERTY BUILDSYSTEM_TARGETS)
foreach(_target IN LISTS _quillet_targets)
  get_target_property(_sources ${_target} SOURCES)
  if(_sources AND "${_sources}" MATCHES "(^|;)bench/")
    set_target_properties(${_target} PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endforeach()

# Precompiled headers: parsing <windows.h> and <gdiplus.h> again in every file is a good part of
# what the MinGW builds spend; they are precompiled once per tree and shared by every target of
# the Win32 glue (REUSE_FROM: the same flags).  Only those C-style SDK headers: with GCC 12 a
# precompiled C++ library header loses its standing as a system header for the warnings found
# after inlining (-O3 finds a false -Warray-bounds in <wchar.h>'s wmemcpy under std::wstring),
# and -Werror would turn those into errors in the project's files.  The native build (-O0, no
# such warnings) precompiles GoogleTest for its tests.  Portable code gets no Windows header
# this way, and the fuzz build (clang, a few targets) precompiles nothing.
option(QUILLET_PCH "Precompile the system headers every file of a kind includes" ON)
if(QUILLET_PCH AND NOT QUILLET_FUZZ)
  if(WIN32)
    # winsock2.h first: once <windows.h> is in, the sockets header (the venue server's HTTP
    # library needs it) refuses to follow.
    target_precompile_headers(quillet_win PRIVATE <winsock2.h> <windows.h> <commctrl.h> <gdiplus.h>)
    foreach(_target Quillet win_tests e2e_tests)
      target_precompile_headers(${_target} REUSE_FROM quillet_win)
    endforeach()
  else()
    target_precompile_headers(portable_tests PRIVATE <gtest/gtest.h>)
  endif()
endif()
