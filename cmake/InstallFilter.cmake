# Installs the filter where CUPS looks for filters and our PPDs where CUPS
# finds drivers. The directories come from cups-config so a distribution with
# another layout (/usr/libexec/cups) still works; both can be overridden.
find_program(CUPS_CONFIG_EXECUTABLE cups-config)
set(_kestrane_serverbin /usr/lib/cups)
set(_kestrane_datadir /usr/share/cups)
if(CUPS_CONFIG_EXECUTABLE)
  execute_process(COMMAND ${CUPS_CONFIG_EXECUTABLE} --serverbin
                  OUTPUT_VARIABLE _kestrane_serverbin OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CUPS_CONFIG_EXECUTABLE} --datadir
                  OUTPUT_VARIABLE _kestrane_datadir OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(KESTRANE_CUPS_FILTER_DIR "${_kestrane_serverbin}/filter" CACHE PATH
    "Directory of CUPS filters; the filter is installed here")
set(KESTRANE_CUPS_PPD_DIR "${_kestrane_datadir}/model/kestrane" CACHE PATH
    "Directory where CUPS's driver list finds our PPDs")

# CUPS refuses a filter that is group- or world-writable, so the mode is fixed.
if(TARGET jobfilter)
  install(TARGETS jobfilter RUNTIME DESTINATION ${KESTRANE_CUPS_FILTER_DIR}
          PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                      WORLD_READ WORLD_EXECUTE)
endif()
file(GLOB _kestrane_ppds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ppd/*.ppd)
if(_kestrane_ppds)
  install(FILES ${_kestrane_ppds} DESTINATION ${KESTRANE_CUPS_PPD_DIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()
