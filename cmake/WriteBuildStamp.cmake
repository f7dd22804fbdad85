# cmake -DOUT=file.cpp -P WriteBuildStamp.cmake: writes the source that tells the
# program when it was built. SOURCE_DATE_EPOCH wins over the clock; the file is
# only replaced when its text changes, so a fixed epoch builds nothing anew.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  string(TIMESTAMP epoch "%s" UTC)
endif()
set(text "// Written at build time.\n#include <QtGlobal>\nnamespace zel::program {\nqint64 linkedBuildEpoch()\n{\n    return ${epoch};\n}\n}  // namespace zel::program\n")
file(WRITE "${OUT}.new" "${text}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUT}.new" "${OUT}")
file(REMOVE "${OUT}.new")
