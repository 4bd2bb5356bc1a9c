target_sources(lorvane_core PRIVATE
  # key sounds
  lock/mainwindow_keysound.cpp
  lock/keyclass.cpp lock/keyclass.h
  lock/keyhook.cpp lock/keyhook.h

  # writing lock: dialog, lock screen, timers
  lock/mainwindow_lock.cpp
)
