# Installing and packaging.  The command finds its libraries through its RPATH and its data
# files under share/cimport, both relative to its own folder, wherever the prefix is.
include(GNUInstallDirs)

install(TARGETS cimport tksbeapi
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT implib EXCLUDE_FROM_ALL)
install(FILES include/cimport.h include/tksbeapi.h include/tksbeapi_host.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(CIMPORT_BUILD_TOOLS)
  install(TARGETS cimport_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(EXISTS ${PROJECT_SOURCE_DIR}/tools/cimport/share)
    install(DIRECTORY tools/cimport/share/ DESTINATION ${CMAKE_INSTALL_DATADIR}/cimport)
  endif()
endif()

if(NOT WIN32)
  file(RELATIVE_PATH lib_from_bin /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
  set_target_properties(cimport PROPERTIES INSTALL_RPATH "$ORIGIN")
  if(CIMPORT_BUILD_TOOLS)
    set_target_properties(cimport_cli PROPERTIES INSTALL_RPATH "$ORIGIN/${lib_from_bin}")
  endif()
endif()

set(CPACK_PACKAGE_NAME cimport)
set(CPACK_PACKAGE_VENDOR cimport)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "C header importer for message-modelling repositories")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  install(FILES README.md DESTINATION .)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "cimport maintainers")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsqlite3-0, libstdc++6")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
include(CPack)
