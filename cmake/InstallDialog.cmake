# Installs the dialog side as a distribution lays it out:
#   <libdir>/kestrane/plugins/<name>.plugin/<name>.so   the plug-in library
#   <datadir>/kestrane/plugins/<name>.plugin/           Info.json, Resources/, Help/
# with relative links from the library's bundle directory to its data, so the
# loader still sees one bundle directory. Also the .desktop entry, the man
# pages and the systemd-tmpfiles snippet for the spool and preferences
# directories.
set(KESTRANE_PLUGIN_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/kestrane/plugins")
set(KESTRANE_PLUGIN_DATA_DIR "${CMAKE_INSTALL_DATADIR}/kestrane/plugins")
set(_kestrane_install_src ${CMAKE_SOURCE_DIR}/DialogHost/install)

foreach(_plugin features specialpages watermark account)
  if(NOT TARGET ${_plugin})
    continue()
  endif()
  get_property(_bundle TARGET ${_plugin} PROPERTY KESTRANE_BUNDLE_DIR)
  set(_lib_bundle "${KESTRANE_PLUGIN_INSTALL_DIR}/${_plugin}.plugin")
  set(_data_bundle "${KESTRANE_PLUGIN_DATA_DIR}/${_plugin}.plugin")
  # install(TARGETS) rewrites the build tree's RUNPATH: the platform library
  # is two levels up, in <libdir>/kestrane.
  set_target_properties(${_plugin} PROPERTIES INSTALL_RPATH "$ORIGIN/../..")
  install(TARGETS ${_plugin} LIBRARY DESTINATION ${_lib_bundle} COMPONENT dialog)
  install(FILES ${_bundle}/Info.json DESTINATION ${_data_bundle} COMPONENT dialog)
  install(DIRECTORY ${_bundle}/Resources ${_bundle}/Help DESTINATION ${_data_bundle}
          COMPONENT dialog OPTIONAL
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(RELATIVE_PATH _up "/${_lib_bundle}" "/${_data_bundle}")
  foreach(_item Info.json Resources Help)
    install(CODE "
      set(_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${_lib_bundle}/${_item}\")
      if(EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${_data_bundle}/${_item}\")
        file(REMOVE_RECURSE \"\${_link}\")
        file(CREATE_LINK \"${_up}/${_item}\" \"\${_link}\" SYMBOLIC)
      endif()" COMPONENT dialog)
  endforeach()
endforeach()

if(TARGET printdialog)
  install(FILES ${_kestrane_install_src}/com.kestrane.printdialog.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT dialog)
  install(FILES ${_kestrane_install_src}/printdialog.1 ${_kestrane_install_src}/ppdconstraintcache.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT dialog)
endif()
if(TARGET jobfilter)
  install(FILES ${_kestrane_install_src}/jobfilter.8
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man8 COMPONENT filter)
endif()

# systemd-tmpfiles makes the spool directory (owner lp, mode 1733, files older
# than a few days removed: tickets of jobs that never reached the filter) and
# the all-users preferences directory of the administrators' group. tmpfiles.d
# lives in /usr/lib whatever the multiarch library directory.
if(NOT DEFINED KESTRANE_TMPFILES_DIR)
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(KESTRANE_TMPFILES_DIR "/usr/lib/tmpfiles.d")
  else()
    set(KESTRANE_TMPFILES_DIR "${CMAKE_INSTALL_PREFIX}/lib/tmpfiles.d")
  endif()
endif()
if(NOT DEFINED KESTRANE_PREFS_SYSTEM_DIR)
  set(KESTRANE_PREFS_SYSTEM_DIR "/var/lib/kestrane/preferences")
endif()
configure_file(${_kestrane_install_src}/kestrane.tmpfiles.in
               ${CMAKE_BINARY_DIR}/kestrane.tmpfiles.conf @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/kestrane.tmpfiles.conf DESTINATION ${KESTRANE_TMPFILES_DIR}
        RENAME kestrane.conf COMPONENT filter)
