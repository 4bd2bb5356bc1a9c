target_sources(lorvane_core PRIVATE
  # start-up and main window lifecycle
  app/appdirs.cpp app/appdirs.h
  app/messages.cpp app/messages.h
  app/singleinstance.cpp app/singleinstance.h
  app/logcategories.cpp app/logcategories.h
  app/mainwindow.cpp app/mainwindow.h app/mainwindow.ui
  # search across chapters
  app/mainwindow_search.cpp

  # the window's glue, one file per concern: each slot calls the owner of the behaviour
  app/mainwindow_keys.cpp
  app/mainwindow_menus.cpp app/menuentry.h
  app/mainwindow_catalog.cpp
  app/mainwindow_catalogmenus.cpp
  app/mainwindow_catalogrename.cpp
  app/mainwindow_catalogedit.cpp
  app/mainwindow_catalogdelete.cpp
  app/mainwindow_importexport.cpp
  app/mainwindow_recycle.cpp
  app/mainwindow_autosave.cpp
  app/mainwindow_count.cpp
  app/mainwindow_typesetting.cpp
  app/mainwindow_find.cpp
  app/mainwindow_format.cpp
  app/mainwindow_font.cpp
  app/mainwindow_theme.cpp app/sheetonshow.cpp app/sheetonshow.h
  app/mainwindow_lock.cpp
  app/mainwindow_browser.cpp
  app/mainwindow_system.cpp

  # window chrome and message box
  app/mainwindow_chrome.cpp
  app/iconhelper.cpp app/iconhelper.h
  app/inkicon.cpp app/inkicon.h
  app/dragproxy.cpp app/dragproxy.h
  app/atooltipper.cpp app/atooltipper.h
  app/backgroundpicture.cpp app/backgroundpicture.h
  app/frmmessagebox.cpp app/frmmessagebox.h app/frmmessagebox.ui
  # catalog column width beside the editor
  app/catalogwidth.cpp app/catalogwidth.h
  app/catalogpanel.cpp app/catalogpanel.h
  app/mainwindow_catalogwidth.cpp
  # orderly quit when the session asks the program to end
  app/platform/terminationwatcher.h
  $<IF:$<BOOL:${UNIX}>,app/platform/terminationwatcher_posix.cpp,app/platform/terminationwatcher_null.cpp>

  # desktop services
  app/platform/desktopservices.cpp app/platform/desktopservices.h
  app/platform/soundplayer.cpp app/platform/soundplayer.h
  app/platform/hookeddesktopservices.h

  # whole-book text import
  app/mainwindow_txtimport.cpp
)

# desktop services: one backend per desktop. The Win32 calls live in winapi.cpp, which
# needs only <windows.h>; the tests syntax-check it with MinGW-w64 on every platform.
set(LORVANE_WIN_BACKEND
  app/platform/winapi.cpp app/platform/winapi.h
  app/platform/windesktopservices.cpp app/platform/windesktopservices.h
  app/platform/winglobalshortcut.cpp app/platform/winglobalshortcut.h)
if(WIN32)
  target_sources(lorvane_core PRIVATE ${LORVANE_WIN_BACKEND})
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LORVANE_X11 REQUIRED IMPORTED_TARGET x11 xtst xcb)
  find_package(Qt5 REQUIRED COMPONENTS X11Extras)
  target_sources(lorvane_core PRIVATE
    app/platform/login1power.cpp app/platform/login1power.h
    app/platform/x11desktopservices.cpp app/platform/x11desktopservices.h
    app/platform/x11globalshortcut.cpp app/platform/x11globalshortcut.h
    app/platform/x11keyrecorder.cpp app/platform/x11keyrecorder.h)
  target_compile_definitions(lorvane_core PRIVATE LORVANE_HAVE_X11)
  target_link_libraries(lorvane_core PRIVATE PkgConfig::LORVANE_X11 Qt5::X11Extras)

  # The Qt side of the Windows backend compiles here too (without being linked), so a
  # change to the shared interfaces cannot break it unseen.
  add_library(lorvane_win_backend_check OBJECT
    app/platform/windesktopservices.cpp app/platform/winglobalshortcut.cpp)
  target_include_directories(lorvane_win_backend_check PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(lorvane_win_backend_check PRIVATE Qt5::Core Qt5::Gui lorvane_warnings)
endif()

# process environment set before the application object
target_sources(lorvane_core PRIVATE app/startupenvironment.cpp app/startupenvironment.h)

# sound effects plugin
include(app/platform/sound/sound.cmake)

# An installed program finds its sounds and browser plugin relative to its own directory.
file(RELATIVE_PATH LORVANE_REL_SOUND_DIR ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_DATADIR}/lorvane/sound)
file(RELATIVE_PATH LORVANE_REL_PLUGIN_DIR ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_LIBDIR}/lorvane/plugins)
set_property(SOURCE app/appdirs.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  LORVANE_INSTALLED_SOUND_DIR="${LORVANE_REL_SOUND_DIR}"
  LORVANE_INSTALLED_PLUGIN_DIR="${LORVANE_REL_PLUGIN_DIR}")
