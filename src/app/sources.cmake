target_sources(lorvane_core PRIVATE
  # start-up and main window lifecycle
  app/appdirs.cpp app/appdirs.h
  app/messages.cpp app/messages.h
  app/singleinstance.cpp app/singleinstance.h
  app/mainwindow.cpp app/mainwindow.h app/mainwindow.ui

  # window chrome and message box
  app/mainwindow_chrome.cpp
  app/iconhelper.cpp app/iconhelper.h
  app/dragproxy.cpp app/dragproxy.h
  app/atooltipper.cpp app/atooltipper.h
  app/backgroundpicture.cpp app/backgroundpicture.h
  app/frmmessagebox.cpp app/frmmessagebox.h app/frmmessagebox.ui
  # orderly quit when the session asks the program to end
  app/platform/terminationwatcher.h
  $<IF:$<BOOL:${UNIX}>,app/platform/terminationwatcher_posix.cpp,app/platform/terminationwatcher_null.cpp>

  # desktop services
  app/platform/desktopservices.cpp app/platform/desktopservices.h
  app/platform/soundplayer.cpp app/platform/soundplayer.h
)
