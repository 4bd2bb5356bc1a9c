target_sources(lorvane_core PRIVATE
  # file store and book index
  library/textfile.cpp library/textfile.h
  library/textdecoder.cpp library/textdecoder.h
  library/filecreate.cpp library/filecreate.h
  library/sqliteoper.cpp library/sqliteoper.h

  # catalog tree: loading, paths, opening, renaming, menus
  library/mainwindow_catalog.cpp
  library/mainwindow_catalogmenus.cpp
  library/mainwindow_catalogrename.cpp
  library/catalogpaths.cpp library/catalogpaths.h
  library/catalogitem.cpp library/catalogitem.h
  library/catalogstore.cpp library/catalogstore.h
  library/catalognames.cpp library/catalognames.h

  # catalog editing, recycle bin and backups, import and export
  library/mainwindow_catalogedit.cpp
  library/mainwindow_catalogdelete.cpp
  library/mainwindow_importexport.cpp
  library/mainwindow_recycle.cpp
  library/naturalorder.cpp library/naturalorder.h
  library/recyclebin.cpp library/recyclebin.h
  library/bookimport.cpp library/bookimport.h
  library/bookexport.cpp library/bookexport.h
  library/filechooser.cpp library/filechooser.h
  library/imbook_probar.cpp library/imbook_probar.h library/imbook_probar.ui
  library/dialogrecycle.cpp library/dialogrecycle.h library/dialogrecycle.ui
)
