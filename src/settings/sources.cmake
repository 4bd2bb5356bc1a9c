target_sources(lorvane_core PRIVATE
  settings/config.cpp settings/config.h
  settings/mainwindow_theme.cpp
)
