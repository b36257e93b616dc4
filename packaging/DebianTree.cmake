# Run by CPack on the staged tree before it becomes the .deb: what Debian asks
# of every package beyond our install rules. The manual page compressed, and
# the licence and the changelog in /usr/share/doc/wareloom/ as copyright and
# changelog.gz (a plain install keeps LICENSE in its own doc folder).
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${usr}/bin/wareloom")
  message(FATAL_ERROR "No staged program in ${usr}")
endif()
function(compress file)
  execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
endfunction()

compress("${usr}/${WARELOOM_DEBIAN_MANDIR}/man1/wareloom.1")

set(docs "${usr}/share/doc/${CPACK_PACKAGE_NAME}")
if(NOT "${usr}/${WARELOOM_DEBIAN_DOCDIR}" STREQUAL docs)
  file(RENAME "${usr}/${WARELOOM_DEBIAN_DOCDIR}" "${docs}")
endif()
file(RENAME "${docs}/LICENSE" "${docs}/copyright")
file(COPY_FILE "${WARELOOM_DEBIAN_CHANGELOG}" "${docs}/changelog")
compress("${docs}/changelog")
