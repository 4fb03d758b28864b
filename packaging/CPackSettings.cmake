# The Debian package, built by CPack from the install rules above: `bash scripts/package.sh`.
# Its dependencies on shared libraries (Qt 6, libmpv ...) are read from the program by
# dpkg-shlibdeps; the encoder is a program, not a library, so ffmpeg is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME clipwright)
set(CPACK_PACKAGE_VENDOR Orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut a part out of a video and save it in another format")
# Debian reads the description's lines as they stand: at most 80 characters each.
set(CPACK_PACKAGE_DESCRIPTION
  "Clipwright is a small desktop tool that cuts a part out of a video and\n"
  "re-encodes it. Load a video, preview it, mark a start and an end on the time\n"
  "slider, pick an output format (a named preset, or your own container, codecs,\n"
  "bitrates, size and rates) and a folder, and start the task. The cut and the\n"
  "re-encode are done by ffmpeg.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.orvanta.example/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed under DESTDIR with the package's own prefix, so that install(CODE) sees /usr and makes
# the encoder's link relative.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
# The program's debugging information stays in the build folder.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvanta <clipwright@orvanta.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS ffmpeg)
# The Help button opens the help page through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
