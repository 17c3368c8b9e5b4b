# The toolkit's and the test framework's headers make up most of what the compiler reads for
# each file. Three precompiled headers are built once per tree and reused by every target of
# their kind: Qt Core alone (the Core-only libraries), Qt Widgets (the windows and programs)
# and Widgets with GoogleTest (the test programs). Reuse asks for the same compiler flags,
# which every target of a tree has; the compiler's -Winvalid-pch, an error under
# CORVANE_WERROR, says when that stops being true.
option(CORVANE_PCH "Reuse precompiled toolkit headers across targets" ON)

# ccache caches a file compiled against a precompiled header only when told to trust it;
# the launcher tells it so, unless the environment already does (scripts/test.sh).
if(CORVANE_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache$" AND NOT "$ENV{CCACHE_SLOPPINESS}" MATCHES "pch_defines")
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros
      ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

set(corvane_pch_core_headers
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
  <QRegularExpression> <QSaveFile> <QString> <QStringList> <QTime> <QTimer>
  <algorithm> <functional> <memory> <optional> <vector>)
set(corvane_pch_widgets_headers ${corvane_pch_core_headers}
  <QApplication> <QDialog> <QLabel> <QLineEdit> <QPainter> <QPushButton> <QWidget>)

function(corvane_pch_holder name headers)
  add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch/empty.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_precompile_headers(${name} PRIVATE ${headers})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

if(CORVANE_PCH)
  corvane_pch_holder(corvane_pch_core "${corvane_pch_core_headers}" Qt6::Core)
  corvane_pch_holder(corvane_pch_widgets "${corvane_pch_widgets_headers}" Qt6::Widgets)
endif()

# Picks the shared header by what the target links: Widgets anywhere below it, or Core only.
function(corvane_precompile_headers target)
  if(NOT CORVANE_PCH)
    return()
  endif()
  if(ARGC GREATER 1)
    set(holder ${ARGV1})
  else()
    set(holder corvane_pch_core)
    get_target_property(libs ${target} LINK_LIBRARIES)
    foreach(lib IN LISTS libs)
      if(lib MATCHES "Widgets|corvane_(ui|desktop|testing|attach)$")
        set(holder corvane_pch_widgets)
      endif()
    endforeach()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${holder})
endfunction()
