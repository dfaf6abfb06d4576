# `cpack` in the build folder writes dist/ostre3_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostre3)
set(CPACK_PACKAGE_VENDOR "The Ostre3 developers")
set(CPACK_PACKAGE_CONTACT "${OSTRE3_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual demo")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${OSTRE3_HOMEPAGE}")
# CPack puts the summary first and indents these lines; an empty line
# becomes a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Ostre3 plays its music and draws nine animated OpenGL scenes full screen
in sync with it; every picture follows the playback position.

The package holds the demo, its synthesised soundtrack, a menu entry and
the tools: ostre3-capture renders the demo headless to PNG frames or an
MP4 video, ostre3-trace prints a frame's OpenGL calls and
ostre3-soundtrack synthesises the music.")
# Libraries linked are found by dpkg-shlibdeps; these are loaded at run
# time: a Phonon backend, with what it needs to decode MP3 and play it
# (Phonon for Qt 6 has only VLC's; for Qt 5 either will do, and its
# GStreamer backend brings GStreamer's base plugins and recommends the good
# ones, which parse and decode MP3), and Mesa's EGL and drivers for the
# capture tool's headless rendering.
if(OSTRE3_QT STREQUAL "6")
  # Qt 6's X11 plugin loads libxcb-cursor at run time and will not start
  # without it.
  set(loaded_at_run_time "phonon4qt6-backend-vlc, libxcb-cursor0")
else()
  set(loaded_at_run_time "phonon4qt5-backend-vlc | phonon4qt5-backend-gstreamer")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${loaded_at_run_time}, libegl-mesa0, libgl1-mesa-dri")
# ffmpeg encodes the capture tool's videos.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS ffmpeg)

include(CPack)
