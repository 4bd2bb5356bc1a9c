target_sources(lorvane_core PRIVATE
  # system actions and the global hotkey
  extras/mainwindow_system.cpp

  # built-in browser
  extras/mainwindow_browser.cpp
)
include(extras/browser.cmake)
