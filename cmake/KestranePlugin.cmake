# Per-plug-in copies of the foundation and the control framework.
#
# Every plug-in compiles the shared sources itself, inside its own namespace and
# with hidden visibility, so that four plug-ins with the same class names can be
# loaded into one dialog process and each runs its own code. Only the C entry
# function (marked with default visibility by the plug-in entry header) is
# exported.
#
#   kestrane_add_plugin(<name>
#       NAMESPACE <MNxxx>            class-name suffix of the copy, e.g. MNWatermark
#       SOURCES <files...>           the plug-in's own panel sources
#       BUNDLE_DIR <dir>             holds Info.json, Resources/ and Help/
#       [INCLUDES <dirs...>])        extra include directories of the panel sources
#
# The bundle is laid out as ${KESTRANE_PLUGIN_DIR}/<name>.plugin/ with
# Info.json, Resources/, Help/ and the library <name>.so beside them.

# Only the plug-in entry function leaves a plug-in library.
set(KESTRANE_PLUGIN_EXPORTS ${CMAKE_BINARY_DIR}/kestrane-plugin-exports.map CACHE INTERNAL "")
file(WRITE ${KESTRANE_PLUGIN_EXPORTS} "{\n  global: KestranePDEPlugInCreate;\n  local: *;\n};\n")

function(kestrane_add_plugin name)
  cmake_parse_arguments(ARG "" "NAMESPACE;BUNDLE_DIR" "SOURCES;INCLUDES" ${ARGN})
  if(NOT ARG_NAMESPACE)
    message(FATAL_ERROR "kestrane_add_plugin(${name}): NAMESPACE is required")
  endif()
  if(NOT ARG_BUNDLE_DIR)
    message(FATAL_ERROR "kestrane_add_plugin(${name}): BUNDLE_DIR is required")
  endif()
  get_filename_component(_bundle_src "${ARG_BUNDLE_DIR}" ABSOLUTE)
  set(_bundle_out "${KESTRANE_PLUGIN_DIR}/${name}.plugin")

  add_library(${name} MODULE
              ${KESTRANE_FOUNDATION_SOURCES} ${KESTRANE_FRAMEWORK_SOURCES} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE
                             ${KESTRANE_FOUNDATION_INCLUDES} ${KESTRANE_FRAMEWORK_INCLUDES}
                             ${ARG_INCLUDES})
  target_compile_definitions(${name} PRIVATE KESTRANE_NS=${ARG_NAMESPACE}
                             KESTRANE_PLUGIN_NAME="${name}")
  if(ARG_NAMESPACE STREQUAL "MNSpecialPages")
    # The special-pages copy has no IsOutputNullToTicket and no
    # InvalidateDataOnPrintCommand: its ticket writes never blank a value.
    target_compile_definitions(${name} PRIVATE KESTRANE_NO_OUTPUT_NULL_TICKET)
  endif()
  target_compile_options(${name} PRIVATE ${KESTRANE_WARNINGS})
  target_link_libraries(${name} PRIVATE kestrane_platform Qt6::Widgets Qt6::UiTools cups)
  # A missing symbol must fail the link, not the dlopen in the dialog. The
  # version script keeps even template instances and unique statics of the
  # standard library local, so nothing but the entry can bind across plug-ins.
  target_link_options(${name} PRIVATE "LINKER:-z,defs"
                      "LINKER:--version-script=${KESTRANE_PLUGIN_EXPORTS}")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${KESTRANE_PLUGIN_EXPORTS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY "${_bundle_out}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    AUTOMOC ON)

  # Bundle resources are copied on every build so edits to .ui and .strings
  # files reach the bundle without a reconfigure.
  set(_copy_cmds)
  if(EXISTS "${_bundle_src}/Info.json")
    list(APPEND _copy_cmds COMMAND ${CMAKE_COMMAND} -E copy_if_different
         "${_bundle_src}/Info.json" "${_bundle_out}/Info.json")
  endif()
  foreach(_sub Resources Help)
    if(IS_DIRECTORY "${_bundle_src}/${_sub}")
      list(APPEND _copy_cmds COMMAND ${CMAKE_COMMAND} -E copy_directory
           "${_bundle_src}/${_sub}" "${_bundle_out}/${_sub}")
    endif()
  endforeach()
  if(_copy_cmds)
    add_custom_target(${name}_bundle ${_copy_cmds}
                      COMMENT "Laying out ${name}.plugin" VERBATIM)
    add_dependencies(${name} ${name}_bundle)
  endif()
  set_property(TARGET ${name} PROPERTY KESTRANE_BUNDLE_DIR "${_bundle_out}")
endfunction()

# The framework in the namespace MNTest, for the framework's tests and for
# test plug-ins built from test panels.
if(KESTRANE_FRAMEWORK_SOURCES AND TARGET foundation_MNTest AND NOT TARGET framework_MNTest)
  add_library(framework_MNTest STATIC ${KESTRANE_FRAMEWORK_SOURCES})
  target_include_directories(framework_MNTest PUBLIC ${KESTRANE_FRAMEWORK_INCLUDES})
  target_compile_options(framework_MNTest PRIVATE ${KESTRANE_WARNINGS})
  target_link_libraries(framework_MNTest PUBLIC foundation_MNTest kestrane_platform
                        Qt6::Widgets Qt6::UiTools cups)
endif()
