# Precompiled headers. Parsing Qt's and the test framework's headers takes most of the time of
# compiling a source here, so every target that uses Qt Widgets reuses one precompiled set of the
# headers most sources include (tests one with the test framework added; not Qt Test, whose
# headers depend on a definition that differs between test folders). Call
# tilvaro_precompile_headers() once, after every target is defined.
option(TILVARO_PCH "Precompile the Qt and test headers that most sources include" ON)

function(tilvaro_precompile_headers)
  if(NOT TILVARO_PCH OR NOT TILVARO_GUI)
    return()
  endif()
  set(qt_headers <QApplication> <QFontMetrics> <QImage> <QKeyEvent> <QLabel> <QMouseEvent> <QPainter>
      <QPointer> <QString> <QTimer> <QWidget>
      <algorithm> <filesystem> <functional> <memory> <optional> <string> <vector>)
  set(source ${PROJECT_BINARY_DIR}/pch_anchor.cpp)
  file(WRITE ${source} "// The precompiled headers are built with this empty source.\n")
  add_library(tilvaro_pch_qt STATIC ${source})
  target_link_libraries(tilvaro_pch_qt PRIVATE Qt6::Widgets)
  target_precompile_headers(tilvaro_pch_qt PRIVATE ${qt_headers})
  tilvaro_warnings(tilvaro_pch_qt)
  if(TILVARO_TESTS)
    add_library(tilvaro_pch_test STATIC ${source})
    target_link_libraries(tilvaro_pch_test PRIVATE Qt6::Widgets GTest::gtest GTest::gmock)
    target_precompile_headers(tilvaro_pch_test PRIVATE ${qt_headers} <gtest/gtest.h>)
    tilvaro_warnings(tilvaro_pch_test)
  endif()

  tilvaro_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" OR target MATCHES "^tilvaro_pch_")
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(NOT libs)
      continue()
    endif()
    # Only targets that compile against Qt Widgets themselves or through one of our libraries.
    set(qt FALSE)
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^(Qt6::Widgets|Qt6::Test|tilvaro_(runtime|platform|glyphs|hints|button|widgets|web|editor|gallery|resources))$")
        set(qt TRUE)
      endif()
    endforeach()
    if(NOT qt)
      continue()
    endif()
    if(TARGET tilvaro_pch_test AND libs MATCHES "GTest::")
      target_precompile_headers(${target} REUSE_FROM tilvaro_pch_test)
    else()
      target_precompile_headers(${target} REUSE_FROM tilvaro_pch_qt)
    endif()
  endforeach()
endfunction()
