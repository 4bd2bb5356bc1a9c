target_sources(lorvane_core PRIVATE
  extras/mainwindow_extras.cpp
)
