# Form resources: a text form file is compiled into the binary format by
# dfmconv at build time and embedded in a target under a resource name.
#
#   qv_add_form_resource(TARGET HoverBench NAME TFORMDEMO SOURCE demo/TrackForm.dfm)
#
# The generated source registers the bytes with vcl::RegisterResource when
# the program starts. It is compiled into TARGET itself, so a static library
# cannot drop it.
function(qv_add_form_resource)
  cmake_parse_arguments(ARG "" "TARGET;NAME;SOURCE" "" ${ARGN})
  get_filename_component(src "${ARG_SOURCE}" ABSOLUTE)
  set(bin "${CMAKE_CURRENT_BINARY_DIR}/resources/${ARG_NAME}.bin")
  set(cpp "${CMAKE_CURRENT_BINARY_DIR}/resources/${ARG_NAME}.cpp")
  add_custom_command(
    OUTPUT "${bin}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/resources"
    COMMAND $<TARGET_FILE:dfmconv> --to binary "${src}" "${bin}"
    DEPENDS "${src}" dfmconv
    COMMENT "Compiling form ${ARG_SOURCE} into resource ${ARG_NAME}"
    VERBATIM)
  add_custom_command(
    OUTPUT "${cpp}"
    COMMAND ${CMAKE_COMMAND} -DIN=${bin} -DOUT=${cpp} -DNAME=${ARG_NAME}
            -P "${QV_SOURCE_ROOT}/cmake/EmbedResource.cmake"
    DEPENDS "${bin}" "${QV_SOURCE_ROOT}/cmake/EmbedResource.cmake"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE "${cpp}")
endfunction()

# A program that loads packages (the designer host, its tests) carries the
# whole framework and exports it, so that a package's references to the
# framework resolve to the program's one copy: one class registry, one
# application. Archives linked whole; the normal link after them brings
# their own dependencies and pulls nothing twice.
function(qv_link_whole_framework TARGET)
  set_target_properties(${TARGET} PROPERTIES ENABLE_EXPORTS ON)
  target_link_libraries(${TARGET} PRIVATE
    -Wl,--whole-archive
    $<TARGET_FILE:vcl_framework> $<TARGET_FILE:vcl_formfile> $<TARGET_FILE:vcl_resfile>
    -Wl,--no-whole-archive
    vcl_framework)
  add_dependencies(${TARGET} vcl_framework vcl_formfile vcl_resfile)
endfunction()
