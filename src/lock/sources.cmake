target_sources(lorvane_core PRIVATE
  lock/mainwindow_lock.cpp
)
