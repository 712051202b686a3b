# Writes OUTPUT, a C++ source holding the text of each level file
# LEVELS_DIR/01.level .. COUNT.level as bytes, for a program run without its
# data folder. Run as: cmake -DLEVELS_DIR=... -DCOUNT=15 -DOUTPUT=... -P EmbedLevels.cmake
set(source "// Made by the build from data/levels (cmake/EmbedLevels.cmake); do not edit.\n")
set(names "")
foreach(n RANGE 1 ${COUNT})
  if(n LESS 10)
    set(name "0${n}")
  else()
    set(name "${n}")
  endif()
  file(READ "${LEVELS_DIR}/${name}.level" hex HEX)
  string(REGEX REPLACE "(..)" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND source "static const char kLevel${name}[] = {${bytes}0};\n")
  string(APPEND names "kLevel${name}, ")
endforeach()
string(APPEND source "extern const char* const kBuiltinLevelTexts[${COUNT}];\n")
string(APPEND source "const char* const kBuiltinLevelTexts[${COUNT}] = {${names}};\n")
file(WRITE "${OUTPUT}" "${source}")
