target_sources(lorvane_core PRIVATE
  settings/config.cpp settings/config.h

  # themes and the settings dialog
  settings/mainwindow_theme.cpp
)
