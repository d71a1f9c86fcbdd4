# Writes a C++ source that holds files as byte arrays, so the program carries them and serves
# them without a file beside it.  Run at build time (cmake -P) whenever one of the files changes.
#   -DOUTPUT=the .cpp to write
#   -DFILES=SYMBOL=PATH|SYMBOL=PATH...   each file becomes
#       extern const unsigned char SYMBOL[];  extern const std::size_t SYMBOL_size;
string(REPLACE "|" ";" FILES "${FILES}")
set(_source "// Made by cmake/embed_files.cmake from the files named below; not to be edited.\n#include <cstddef>\n")
foreach(_entry IN LISTS FILES)
  string(REGEX REPLACE "=.*" "" _symbol "${_entry}")
  string(REGEX REPLACE "^[^=]*=" "" _path "${_entry}")
  file(READ "${_path}" _hex HEX)
  string(LENGTH "${_hex}" _digits)
  math(EXPR _bytes "${_digits} / 2")
  # Sixty-four bytes a line keeps the generated file readable in an editor.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _hex "${_hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){64})" "\\1\n" _hex "${_hex}")
  get_filename_component(_name "${_path}" NAME)
  string(APPEND _source "\n// ${_name}\nextern const unsigned char ${_symbol}[] = {\n${_hex}0x00};\n"
         "extern const std::size_t ${_symbol}_size = ${_bytes};\n")
endforeach()
# Written only when it changes, so an unchanged page recompiles nothing.
file(WRITE "${OUTPUT}.new" "${_source}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
file(REMOVE "${OUTPUT}.new")
