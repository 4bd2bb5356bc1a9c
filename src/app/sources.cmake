target_sources(lorvane_core PRIVATE
  # start-up and main window lifecycle
  app/appdirs.cpp app/appdirs.h
  app/messages.cpp app/messages.h
  app/singleinstance.cpp app/singleinstance.h
  app/mainwindow.cpp app/mainwindow.h app/mainwindow.ui

  # window chrome and message box
  app/mainwindow_chrome.cpp

  # desktop services
  app/platform/desktopservices.cpp app/platform/desktopservices.h
  app/platform/soundplayer.cpp app/platform/soundplayer.h
)
