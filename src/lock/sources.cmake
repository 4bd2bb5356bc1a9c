target_sources(lorvane_core PRIVATE
  # key sounds
  lock/keyclass.cpp lock/keyclass.h
  lock/keyhook.cpp lock/keyhook.h

  # writing lock: its state and timers, dialog, lock screen
  lock/writinglock.cpp lock/writinglock.h
  lock/dialog_lock.cpp lock/dialog_lock.h lock/dialog_lock.ui
  lock/winlock.cpp lock/winlock.h
  lock/lockedwindowguard.cpp lock/lockedwindowguard.h
  lock/wordlockprogress.cpp lock/wordlockprogress.h
)
