# The sound effects live in a plugin beside the executable (A/plugins), loaded with the
# first sound: linking QtMultimedia into the program would load it, and the sound server's
# client libraries behind it, at every start.
add_library(lorvane_soundeffects MODULE
  app/platform/sound/effectsoundplugin.cpp app/platform/sound/effectsoundplugin.h
  app/platform/soundeffects.h)
target_include_directories(lorvane_soundeffects PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(lorvane_soundeffects PRIVATE Qt5::Multimedia lorvane_warnings)
set_target_properties(lorvane_soundeffects PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${LORVANE_APP_DIR}/plugins)

target_sources(lorvane_core PRIVATE app/platform/soundeffects.h)
set_property(SOURCE app/platform/soundplayer.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS LORVANE_SOUND_PLUGIN="$<TARGET_FILE_NAME:lorvane_soundeffects>")
# The program finds the plugin in its own folder, so building the program builds it.
add_dependencies(lorvane_core lorvane_soundeffects)
