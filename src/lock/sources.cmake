target_sources(lorvane_core PRIVATE
  # key sounds
  lock/mainwindow_keysound.cpp

  # writing lock: dialog, lock screen, timers
  lock/mainwindow_lock.cpp
)
