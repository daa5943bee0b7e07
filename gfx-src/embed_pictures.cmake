# cmake -DLIST=<file> -DOUTPUT=<cpp> -P embed_pictures.cmake
# LIST holds one "Name path" line per PNG; OUTPUT becomes a C++ source that
# defines builtinPictures with each file's bytes under its name.

file(STRINGS ${LIST} lines)
set(arrays "")
set(entries "")
set(index 0)
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([^ ]+) (.+)$" unused "${line}")
  set(name ${CMAKE_MATCH_1})
  file(READ ${CMAKE_MATCH_2} hex HEX)
  string(LENGTH "${hex}" hex_length)
  if(hex_length EQUAL 0)
    message(FATAL_ERROR "Empty picture ${CMAKE_MATCH_2}")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char kPicture${index}[] = {\n    ${bytes}\n};\n")
  string(APPEND entries "    {\"${name}\", kPicture${index}, sizeof(kPicture${index})},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUTPUT}
  "// Generated from the rendered pictures by gfx-src/embed_pictures.cmake.\n"
  "#include \"gui/builtin_pictures.h\"\n\nnamespace {\n\n${arrays}\n}  // namespace\n\n"
  "const std::vector<BuiltinPicture> builtinPictures = {\n${entries}};\n")
