target_sources(lorvane_core PRIVATE
  # autosave
  editor/mainwindow_autosave.cpp
  editor/backupname.cpp editor/backupname.h
  editor/chaptertitle.cpp editor/chaptertitle.h
  editor/charcount.cpp editor/charcount.h
  editor/editortext.cpp editor/editortext.h

  # character count, typesetting, editor keys, font of the whole text
  editor/mainwindow_count.cpp
  editor/mainwindow_typesetting.cpp
  editor/mainwindow_font.cpp
  editor/countdisplay.cpp editor/countdisplay.h
  editor/typesetting.cpp editor/typesetting.h
  editor/editorkeys.cpp editor/editorkeys.h

  # find and replace, formatting row, text menu
  editor/mainwindow_find.cpp
  editor/mainwindow_format.cpp
  editor/dialogfind.cpp editor/dialogfind.h editor/dialogfind.ui
  editor/findrules.cpp editor/findrules.h
)
