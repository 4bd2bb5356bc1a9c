# Installation (cmake --install) in the usual Linux places and the Debian package built from
# it (scripts/package.sh). The program finds its sounds and plugin relative to its own
# directory (AppDirs), so the relative layout below is what matters, not the prefix.
set(LORVANE_APP_ID "org.example.lorvane.Lorvane" CACHE STRING
  "Application id of the desktop entry and the AppStream metainfo (reverse-DNS of the web site)")
set(LORVANE_WEB_URL "https://lorvane.example.org" CACHE STRING
  "Web site named in the metainfo; the screenshot is published under <url>/screenshots/main.png")

install(TARGETS lorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${LORVANE_APP_DIR}/sound/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lorvane/sound
  FILES_MATCHING PATTERN "*.wav")
install(TARGETS lorvane_browser lorvane_soundeffects
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lorvane/plugins)

set(LORVANE_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lorvane.desktop.in
  ${LORVANE_PACKAGING_OUT}/${LORVANE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lorvane.metainfo.xml.in
  ${LORVANE_PACKAGING_OUT}/${LORVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${LORVANE_PACKAGING_OUT}/${LORVANE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LORVANE_PACKAGING_OUT}/${LORVANE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The sized icons are drawn by the resource generator together with the program's pictures.
install(DIRECTORY ${CMAKE_BINARY_DIR}/src/generated/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lorvane.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The metainfo's screenshot, taken from the real main window at build time. It is published
# on the web site rather than installed: software centres fetch it from there.
add_executable(lorvane_screenshot ${PROJECT_SOURCE_DIR}/src/resources/screenshot.cpp)
target_link_libraries(lorvane_screenshot PRIVATE lorvane_core lorvane_warnings)
set(LORVANE_SCREENSHOT ${LORVANE_PACKAGING_OUT}/screenshots/main.png)
add_custom_command(OUTPUT ${LORVANE_SCREENSHOT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LORVANE_PACKAGING_OUT}/screenshots
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:lorvane_screenshot>
    ${LORVANE_SCREENSHOT}
  DEPENDS lorvane_screenshot
  COMMENT "Taking the main window's screenshot")
add_custom_target(lorvane_screenshot_png ALL DEPENDS ${LORVANE_SCREENSHOT})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lorvane maintainers <maintainers@lorvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "writing tool for serialised Chinese web novels")
set(CPACK_PACKAGE_DESCRIPTION "A library of books, volumes and chapters kept as plain \
text, an editor that saves by itself and keeps time-stamped backups, a live character count \
and royalty, one-key typesetting and a full-screen writing lock.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
