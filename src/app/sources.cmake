target_sources(lorvane_core PRIVATE
  app/appdirs.cpp app/appdirs.h
  app/messages.cpp app/messages.h
  app/singleinstance.cpp app/singleinstance.h
  app/mainwindow.cpp app/mainwindow.h app/mainwindow.ui
  app/mainwindow_chrome.cpp
  app/platform/desktopservices.cpp app/platform/desktopservices.h
  app/platform/soundplayer.cpp app/platform/soundplayer.h
)
