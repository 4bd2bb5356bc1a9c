# Sounds are generated at build time into the application directory: they belong to the
# installation, not to the program, and are played by path.
add_executable(lorvane_soundgen resources/soundgen.cpp)
target_link_libraries(lorvane_soundgen PRIVATE Qt5::Core lorvane_warnings)
set(LORVANE_SOUND_FILES
  ${LORVANE_APP_DIR}/sound/key.wav ${LORVANE_APP_DIR}/sound/return.wav
  ${LORVANE_APP_DIR}/sound/space.wav ${LORVANE_APP_DIR}/sound/scroll.wav
  ${LORVANE_APP_DIR}/sound/lock.wav)
add_custom_command(OUTPUT ${LORVANE_SOUND_FILES}
  COMMAND lorvane_soundgen ${LORVANE_APP_DIR}/sound
  DEPENDS lorvane_soundgen
  COMMENT "Generating key sounds")
add_custom_target(lorvane_sounds ALL DEPENDS ${LORVANE_SOUND_FILES})

# Pictures are drawn at build time by our own generator and compiled in, together with the
# icon font, which is taken from the system (Debian's fonts-font-awesome) and never committed.
find_file(LORVANE_ICON_FONT fontawesome-webfont.ttf
  PATHS /usr/share/fonts/truetype/font-awesome /usr/share/fonts-font-awesome/fonts
  NO_DEFAULT_PATH)
if(NOT LORVANE_ICON_FONT)
  message(FATAL_ERROR "fontawesome-webfont.ttf not found: install fonts-font-awesome (scripts/deps.sh)")
endif()
add_executable(lorvane_resgen resources/resgen.cpp)
target_link_libraries(lorvane_resgen PRIVATE Qt5::Gui lorvane_warnings)
set(LORVANE_GEN_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(LORVANE_GEN_QRC ${LORVANE_GEN_DIR}/generated.qrc)
add_custom_command(OUTPUT ${LORVANE_GEN_QRC}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:lorvane_resgen> ${LORVANE_GEN_DIR} ${LORVANE_ICON_FONT}
  DEPENDS lorvane_resgen ${LORVANE_ICON_FONT}
  COMMENT "Drawing icons")
add_custom_target(lorvane_pictures DEPENDS ${LORVANE_GEN_QRC})
add_dependencies(lorvane_core lorvane_pictures)
# rcc runs by hand here: the list of pictures exists only after the generator ran.
set(LORVANE_GEN_RCC ${CMAKE_CURRENT_BINARY_DIR}/qrc_generated.cpp)
add_custom_command(OUTPUT ${LORVANE_GEN_RCC}
  COMMAND Qt5::rcc --name generated ${LORVANE_GEN_QRC} -o ${LORVANE_GEN_RCC}
  DEPENDS ${LORVANE_GEN_QRC} lorvane_resgen)
set_source_files_properties(${LORVANE_GEN_RCC} PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
target_sources(lorvane_core PRIVATE ${LORVANE_GEN_RCC} resources/resources.qrc
  resources/resources.cpp resources/resources.h)
