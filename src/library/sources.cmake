target_sources(lorvane_core PRIVATE
  # file store and book index
  library/textfile.cpp library/textfile.h
  library/textdecoder.cpp library/textdecoder.h
  library/filecreate.cpp library/filecreate.h
  library/sqliteoper.cpp library/sqliteoper.h
  library/catalogstatement.cpp library/catalogstatement.h

  # catalog tree: paths, items, statements, names
  library/catalogpaths.cpp library/catalogpaths.h
  library/catalogitem.cpp library/catalogitem.h
  library/catalogstore.cpp library/catalogstore.h
  library/catalognames.cpp library/catalognames.h

  # recycle bin and backups, import and export
  library/naturalorder.cpp library/naturalorder.h
  library/recyclebin.cpp library/recyclebin.h
  library/bookimport.cpp library/bookimport.h
  library/bookexport.cpp library/bookexport.h
  library/filechooser.cpp library/filechooser.h
  library/imbook_probar.cpp library/imbook_probar.h library/imbook_probar.ui
  library/dialogrecycle.cpp library/dialogrecycle.h library/dialogrecycle.ui

  # whole-book text import: splitting, naming, the preview
  library/txtsplit.cpp library/txtsplit.h
  library/txtbook.cpp library/txtbook.h
  library/txtimportdialog.cpp library/txtimportdialog.h library/txtimportdialog.ui
)
