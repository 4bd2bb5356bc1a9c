target_sources(lorvane_core PRIVATE
  # start-up and main window lifecycle
  app/appdirs.cpp app/appdirs.h
  app/messages.cpp app/messages.h
  app/singleinstance.cpp app/singleinstance.h
  app/mainwindow.cpp app/mainwindow.h app/mainwindow.ui

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
