# Writes OUTPUT, a header naming what the pages are made by: a hash of every
# file listed in LIST (the library's sources, named relative to TOP), with
# STAMP_EXTRA (the version, Qt's and the compiler's). Left untouched when the
# hash is the same, so that nothing is built again for it.
file(READ "${LIST}" sources)
set(input "${STAMP_EXTRA}\n")
foreach(source IN LISTS sources)
  file(SHA256 "${source}" hash)
  file(RELATIVE_PATH name "${TOP}" "${source}")
  string(APPEND input "${name} ${hash}\n")
endforeach()
string(SHA256 stamp "${input}")
file(WRITE "${OUTPUT}.new" "#pragma once\n// Made by SourceStamp.cmake.\n#define WARELOOM_SOURCE_STAMP \"${stamp}\"\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
