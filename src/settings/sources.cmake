target_sources(lorvane_core PRIVATE
  settings/config.cpp settings/config.h

  # themes and the settings dialog
  settings/themestyle.cpp settings/themestyle.h
  settings/previewstyle.cpp settings/previewstyle.h
  settings/upperboundvalidator.cpp settings/upperboundvalidator.h
  settings/dialogsetting.cpp settings/dialogsetting.h settings/dialogsetting.ui
)
