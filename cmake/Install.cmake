# What `cmake --install` puts under the prefix:
#
#   include/qvcomponents/framework/..., runtime/...   the headers, by folder
#   lib/lib*.a                                        the static libraries
#   lib/cmake/QVComponents/                           find_package(QVComponents)
#   lib/pkgconfig/qvcomponents.pc                     pkg-config qvcomponents
#   lib/qvcomponents/QVComponents.bpl                 the design-time package
#   bin/                                              the programs
#
# A program includes <runtime/QVTrackMouse.h> and <framework/Forms.h> with
# include/qvcomponents on its include path, as the sources of this tree do.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QV_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/qvcomponents)
set(QV_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QVComponents)

# The names programs link, the same in this tree (aliases) and installed
# (exported): QVComponents::runtime, ::framework, ::inputscript, ...
set(qv_exported_libraries
  vcl_formfile formfile
  vcl_resfile resfile
  vcl_framework framework
  vcl_inputscript inputscript
  qv_runtime runtime)
if(QV_HAVE_SDL)
  # SDL2 reaches the framework through this interface target.
  list(APPEND qv_exported_libraries qv_sdl2 sdl2)
endif()
set(qv_export_targets "")
while(qv_exported_libraries)
  list(POP_FRONT qv_exported_libraries target name)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  add_library(QVComponents::${name} ALIAS ${target})
  list(APPEND qv_export_targets ${target})
endwhile()

install(TARGETS ${qv_export_targets}
  EXPORT QVComponentsTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${QV_INSTALL_INCLUDEDIR})
install(EXPORT QVComponentsTargets
  NAMESPACE QVComponents::
  DESTINATION ${QV_INSTALL_CMAKEDIR})

set(qv_header_excludes "")
if(NOT QV_HAVE_SDL)
  set(qv_header_excludes PATTERN sdl EXCLUDE)
endif()
install(DIRECTORY ${QV_SOURCE_ROOT}/framework ${QV_SOURCE_ROOT}/runtime
  DESTINATION ${QV_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h" ${qv_header_excludes})
install(FILES ${QV_GENERATED_DIR}/framework/Version.h DESTINATION ${QV_INSTALL_INCLUDEDIR}/framework)

configure_package_config_file(cmake/QVComponentsConfig.cmake.in
  ${CMAKE_BINARY_DIR}/QVComponentsConfig.cmake
  INSTALL_DESTINATION ${QV_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QVComponentsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QVComponentsConfig.cmake ${CMAKE_BINARY_DIR}/QVComponentsConfigVersion.cmake
  DESTINATION ${QV_INSTALL_CMAKEDIR})

# pkg-config. The libraries are static, so what they use is needed on every
# link: Requires (not Requires.private) makes a plain `--libs` complete.
set(QV_PC_REQUIRES "freetype2 fontconfig libpng")
if(QV_HAVE_SDL)
  string(APPEND QV_PC_REQUIRES " sdl2")
endif()
set(QV_PC_DL "")
foreach(lib IN LISTS CMAKE_DL_LIBS)
  string(APPEND QV_PC_DL " -l${lib}")
endforeach()
configure_file(cmake/qvcomponents.pc.in ${CMAKE_BINARY_DIR}/qvcomponents.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/qvcomponents.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The programs, and the design-time package the designer host loads.
install(TARGETS dfmconv formrun formsheet resgen qvdesign HoverBench hovertips
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS QVComponents LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/qvcomponents)
