# `cpack -G DEB` in a build folder: one Debian package, qvcomponents, with
# everything `cmake --install` puts under /usr (programs, headers, static
# libraries, the CMake and pkg-config files, the design-time package).
set(CPACK_PACKAGE_NAME qvcomponents)
set(CPACK_PACKAGE_VENDOR "Orbelline Technologies")
set(CPACK_PACKAGE_CONTACT "QVComponents maintainers <qvcomponents@orbelline.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mouse-hover tracker component and its form framework")
set(CPACK_PACKAGE_DESCRIPTION
"TQVTrackMouse reports through OnMouseEnter and OnMouseLeave when the mouse
pointer enters or leaves any of the controls it watches on a form. The package
holds the component and the form framework it runs on as static libraries with
their headers, CMake package and pkg-config files, the design-time package,
the designer host qvdesign, the form tools dfmconv, formrun and resgen, and the
demonstration programs HoverBench and hovertips.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Programs and the design-time package lose their symbol tables; static
# libraries are left whole.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME qvcomponents)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The static libraries need the development files of what they use.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libfreetype-dev, libfontconfig-dev, libpng-dev, pkg-config")
if(QV_HAVE_SDL)
  string(APPEND CPACK_DEBIAN_PACKAGE_SUGGESTS ", libsdl2-dev")
endif()
# The programs' shared libraries: read from the binaries where
# dpkg-shlibdeps is there, else the ones this tree links.
find_program(QV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QV_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libfreetype6, libfontconfig1, libpng16-16")
  if(QV_HAVE_SDL)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libsdl2-2.0-0")
  endif()
endif()

include(CPack)
