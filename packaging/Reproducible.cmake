# CPack runs this after it has made the packages (CPACK_POST_BUILD_SCRIPTS).
# CPack stamps the members of a .deb and the entries of its control archive
# with the current time, so each package is unpacked and packed again with
# dpkg-deb: every file and folder dated SOURCE_DATE_EPOCH, names sorted,
# owned by root, the same compressor settings on every machine. Two runs on
# one commit then give the same bytes.
include(${CPACK_VARKELON_SOURCE_DIR}/packaging/SourceDateEpoch.cmake)
varkelon_source_date_epoch(${CPACK_VARKELON_SOURCE_DIR})

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND find ${tree} -exec touch --no-dereference --date=@${SOURCE_DATE_EPOCH} {} +
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}
                          dpkg-deb --root-owner-group --threads-max=1 -Zxz -z9 -Sextreme
                          --uniform-compression --build ${tree} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
