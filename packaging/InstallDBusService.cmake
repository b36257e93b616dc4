# Runs at install time, so that Exec names the binary under the prefix given to
# `cmake --install --prefix`, which may differ from the configured one. DESTDIR
# only stages the files and stays out of Exec (file(INSTALL) adds it).
# Set by the caller: WARELOOM_TEMPLATE, WARELOOM_GENERATED, WARELOOM_BINDIR,
# WARELOOM_SERVICEDIR (both relative to the prefix, or absolute), WARELOOM_BINARY.
foreach(dir IN ITEMS WARELOOM_BINDIR WARELOOM_SERVICEDIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()
set(WARELOOM_EXEC "${WARELOOM_BINDIR}/${WARELOOM_BINARY}")
configure_file("${WARELOOM_TEMPLATE}" "${WARELOOM_GENERATED}" @ONLY)
file(INSTALL "${WARELOOM_GENERATED}" DESTINATION "${WARELOOM_SERVICEDIR}")
