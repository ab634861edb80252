# Package resources: resgen compiles a resource manifest into a Windows .res
# file at build time, and the file goes into a shared library as the ELF
# section ".rsrc" (read-only data, linked in like any other), so that
# `objcopy -O binary --only-section=.rsrc LIB OUT.res` gives the .res back;
# the design host reads it from the library's file.
#
#   qv_add_rsrc_section(TARGET QVComponents MANIFEST design/QVComponents.resources
#                       [DEPENDS files...])
#
# The manifest has one resource a line, TYPE NAME LANGUAGE KIND ARGUMENTS;
# '#' starts a comment and paths are relative to the manifest's folder:
#
#   RCDATA DESCRIPTION 0 utf16 "Orbelline VCL Components\0\0"
#   RCDATA PACKAGEOPTIONS 0 hex 30 00 00 00
#   RCDATA TQVCONTROLSLISTFORM 0 form QVControlsListForm.dfm
#   BITMAP TQVTRACKMOUSE 1033 bmp art/QVTrackMouse.bmp
#   ICON MAINICON 1046 ico art/MainIcon.ico
#   RCDATA PACKAGEINFO 0 packageinfo      # lines up to `end`
#     flags 0x40000003
#     requires VCLX35 VCL35
#     contains Sysinit:0x00 Windows:0x0C
#   end
#   VERSION 1 1033 version                # lines up to `end`
#     fileversion 1.0.0.0
#     stringtable 040904E4
#     value CompanyName "Orbelline Technologies"
#     translation 0x0409 0x04E4
#   end
#
# The other kinds (text, file) and every keyword are described at the top of
# tools/resgen/resgen.cpp. resgen writes a depfile, so the files the manifest
# reads are dependencies without being listed; DEPENDS adds others.
function(qv_add_rsrc_section)
  cmake_parse_arguments(ARG "" "TARGET;MANIFEST" "DEPENDS" ${ARGN})
  if(NOT ARG_TARGET OR NOT ARG_MANIFEST)
    message(FATAL_ERROR "qv_add_rsrc_section: TARGET and MANIFEST are required")
  endif()
  get_target_property(type ${ARG_TARGET} TYPE)
  if(NOT type MATCHES "^(SHARED|MODULE)_LIBRARY$")
    message(FATAL_ERROR "qv_add_rsrc_section: ${ARG_TARGET} is no shared library")
  endif()
  get_filename_component(manifest "${ARG_MANIFEST}" ABSOLUTE)
  set(res "${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.res")
  add_custom_command(
    OUTPUT "${res}"
    COMMAND resgen --depfile "${res}.d" "${manifest}" "${res}"
    DEPENDS "${manifest}" ${ARG_DEPENDS} resgen
    DEPFILE "${res}.d"
    COMMENT "Compiling the resources of ${ARG_TARGET} from ${ARG_MANIFEST}"
    VERBATIM)
  # The bytes go in through the assembler: a generated source with .incbin,
  # compiled again whenever the .res changes.
  set(src "${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}_rsrc.cpp")
  file(GENERATE OUTPUT "${src}" CONTENT
"// Generated: the resources of ${ARG_TARGET}, as the ELF section .rsrc.
__asm__(\".section .rsrc,\\\"a\\\",@progbits\\n\"
        \".incbin \\\"${res}\\\"\\n\"
        \".previous\\n\");
")
  add_custom_target(${ARG_TARGET}_rsrc DEPENDS "${res}")
  add_dependencies(${ARG_TARGET} ${ARG_TARGET}_rsrc)
  set_source_files_properties("${src}" PROPERTIES OBJECT_DEPENDS "${res}" GENERATED TRUE)
  target_sources(${ARG_TARGET} PRIVATE "${src}")
endfunction()
