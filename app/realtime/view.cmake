# The real-time views: the real-time page and the recording and playback bar.
add_library(tessaly_realtime_views STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ForcePlateStaticTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ForcePlateStaticTest.ui
  ${CMAKE_CURRENT_LIST_DIR}/timeLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timeLine.ui)
set_target_properties(tessaly_realtime_views PROPERTIES AUTOMOC ON AUTOUIC ON)
target_include_directories(tessaly_realtime_views PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaly_realtime_views PUBLIC tessaly_acquisition_views
                      tessaly_balance_core)
