target_sources(lorvane_core PRIVATE
  # file store and book index
  library/textfile.cpp library/textfile.h
  library/filecreate.cpp library/filecreate.h
  library/sqliteoper.cpp library/sqliteoper.h

  # catalog tree: loading, paths, opening, renaming, menus
  library/mainwindow_catalog.cpp

  # catalog editing, recycle bin and backups, import and export
  library/mainwindow_catalogedit.cpp
)
