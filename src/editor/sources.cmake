target_sources(lorvane_core PRIVATE
  # the open chapter: opening, every save, the autosave and its backups
  editor/openchapter.cpp editor/openchapter.h
  editor/backupname.cpp editor/backupname.h
  editor/chaptertitle.cpp editor/chaptertitle.h
  editor/charcount.cpp editor/charcount.h
  editor/editortext.cpp editor/editortext.h

  # character count, typesetting, editor keys
  editor/countdisplay.cpp editor/countdisplay.h
  editor/typesetting.cpp editor/typesetting.h
  editor/editorkeys.cpp editor/editorkeys.h

  # find and replace
  editor/dialogfind.cpp editor/dialogfind.h editor/dialogfind.ui
  editor/findrules.cpp editor/findrules.h
)
