# Precompiled headers. Much of a clean build is spent parsing Qt's headers again for every
# file of the window and its tests. The set below is compiled once by a host target and
# reused by every target that uses Qt's widgets, so those headers are parsed once per build,
# not once per file. (Precompiled standard or GoogleTest headers make GCC 12 warn falsely
# about string concatenation, so the other targets go without.) A reused header must be built
# with its users' flags: the host takes the project's global flags, and Qt makes its users'
# code position-independent (-fPIC), which the programs then state too. -Winvalid-pch reports
# a user whose flags still differ (GCC then reads the plain headers). Clang rejects even a
# definition that differs, so its builds (the fuzzers) go without.
option(LUMERA_PRECOMPILED_HEADERS "Reuse precompiled Qt headers" ON)
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(LUMERA_PRECOMPILED_HEADERS OFF)
endif()
if(LUMERA_PRECOMPILED_HEADERS)
  # ccache caches a file that reads a precompiled header only when told to trust the header's
  # definitions and times (and, below, shown the header with -fpch-preprocess).
  foreach(language C CXX)
    if(CMAKE_${language}_COMPILER_LAUNCHER MATCHES "ccache")
      set(CMAKE_${language}_COMPILER_LAUNCHER
          ${CMAKE_COMMAND} -E env
          CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
          ${CMAKE_${language}_COMPILER_LAUNCHER})
    endif()
  endforeach()
endif()

set(lumera_pch_std
    <algorithm> <array> <cstddef> <cstdint> <filesystem> <fstream> <functional> <iostream> <map>
    <memory> <optional> <span> <string> <string_view> <variant> <vector>)
set(lumera_pch_qt_widgets
    ${lumera_pch_std}
    <QAction> <QApplication> <QCoreApplication> <QEvent> <QFile> <QGroupBox> <QImage> <QLabel>
    <QMenu> <QObject> <QPainter> <QPushButton> <QScrollArea> <QScrollBar> <QString> <QTimer>
    <QVBoxLayout> <QWidget>)
set(lumera_pch_qt_widgets_libraries Qt6::Widgets)

set(lumera_pch_options -Winvalid-pch -fpch-preprocess)

# The targets that use Qt's widgets.
set(lumera_pch_qt_widgets_targets "^(lumera|lumera_app|gui_.*_test|kernel_window|figure_send)$")

# lumera_pch_host(SET): the target that compiles the set's header.
function(lumera_pch_host set)
  set(host lumera_pch_${set})
  if(TARGET ${host})
    return()
  endif()
  add_library(${host} OBJECT ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/pch_host.cpp)
  target_link_libraries(${host} PRIVATE ${lumera_pch_${set}_libraries})
  target_compile_options(${host} PRIVATE ${lumera_pch_options})
  target_precompile_headers(${host} PRIVATE ${lumera_pch_${set}})
endfunction()

# lumera_precompile_directory(DIR): every target of a set built in DIR and below it.
function(lumera_precompile_directory dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
       OR target MATCHES "^lumera_pch_")
      continue()
    endif()
    if(target MATCHES "${lumera_pch_qt_widgets_targets}")
      set(set qt_widgets)
    else()
      continue()
    endif()
    target_compile_options(${target} PRIVATE ${lumera_pch_options})
    if(type STREQUAL "EXECUTABLE")
      target_compile_options(${target} PRIVATE -fPIC)
    endif()
    lumera_pch_host(${set})
    target_precompile_headers(${target} REUSE_FROM lumera_pch_${set})
  endforeach()
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    lumera_precompile_directory(${subdirectory})
  endforeach()
endfunction()
