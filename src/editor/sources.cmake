target_sources(lorvane_core PRIVATE
  editor/mainwindow_editor.cpp
)
