# The folders under src/, lowest layer first. A file may include headers of its own
# folder and of folders in lower layers only; folders that share a layer stay
# independent of each other. cmake/CheckLayering.cmake enforces it at every build.
set(QUILLET_LAYERS
  "base"                                  # numbers, Shift-JIS, files, errors, platform, host port, message texts
  "geometry"                              # points, turning routines, rounding
  "model"                                 # the form's choices, frame kinds, tips, modes, colour choices, capacity rule
  "exchange;settings;phrasebook;drawing"  # the files <-> model; reading drawing commands back
  "engine"                                # run set-up and the drawing of leader, tip, frame, fill and text
  "program"                               # session, start-up, close, 入力完了, control availability
  "batch;preview;widgets;outputview"      # headless batch mode; the window's painters and controls
  "ui"                                    # TForm1 and its parts
  "app"                                   # main()
)

# Folders that may use Qt; every other folder is the Qt-free core.
set(QUILLET_QT_FOLDERS preview widgets outputview ui app)

# The core library's sources: every folder that is neither Qt nor the entry point.
function(quillet_core_sources out root)
  set(result "")
  foreach(layer ${QUILLET_LAYERS})
    foreach(folder ${layer})
      if(NOT folder IN_LIST QUILLET_QT_FOLDERS)
        file(GLOB sources CONFIGURE_DEPENDS ${root}/src/${folder}/*.cpp)
        list(APPEND result ${sources})
      endif()
    endforeach()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The window layer's sources (headers too, for moc).
function(quillet_qt_sources out root)
  set(result "")
  foreach(folder ${QUILLET_QT_FOLDERS})
    if(NOT folder STREQUAL "app")
      file(GLOB sources CONFIGURE_DEPENDS ${root}/src/${folder}/*.cpp ${root}/src/${folder}/*.h ${root}/src/${folder}/*.qrc)
      list(APPEND result ${sources})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
