# The browser classes and the web engine they need live in a plugin beside the executable
# (A/plugins), loaded on first use: linking QtWebKit into the program would add its load
# time to every start.
find_package(Qt5 5.15 REQUIRED COMPONENTS WebKitWidgets)
add_library(lorvane_browser MODULE
  extras/browser/browsermainwindow.cpp extras/browser/browsermainwindow.h
  extras/browser/mywebpage.cpp extras/browser/mywebpage.h
  extras/browser/webkitbrowserfactory.cpp extras/browser/webkitbrowserfactory.h
  extras/browser/browser.qrc
  extras/browserfactory.h
  extras/webaddresses.cpp extras/webaddresses.h)
target_include_directories(lorvane_browser PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(lorvane_browser PRIVATE Qt5::WebKitWidgets Qt5::Widgets Qt5::Network
  lorvane_warnings)
set_target_properties(lorvane_browser PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${LORVANE_APP_DIR}/plugins)

target_sources(lorvane_core PRIVATE
  extras/browserfactory.h
  extras/browserplugin.cpp extras/browserplugin.h
  extras/webaddresses.cpp extras/webaddresses.h)
set_property(SOURCE extras/browserplugin.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS LORVANE_BROWSER_PLUGIN="$<TARGET_FILE_NAME:lorvane_browser>")
# The program finds the plugin in its own folder, so building the program builds it.
add_dependencies(lorvane_core lorvane_browser)
