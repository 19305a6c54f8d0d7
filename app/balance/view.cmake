# The balance view and its trajectory painter.
find_package(QCustomPlot REQUIRED)
find_package(Qt5 5.15 REQUIRED COMPONENTS PrintSupport)
add_library(tessaly_balance_views STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BalanceCharts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BalanceTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameZoneLoads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dataAnalysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dataAnalysis.ui
  ${CMAKE_CURRENT_LIST_DIR}/StandardMeasuresPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandardMeasuresPage.ui
  ${CMAKE_CURRENT_LIST_DIR}/SwayPlotWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/staticTestDrawResult.cpp)
set_target_properties(tessaly_balance_views PROPERTIES AUTOMOC ON AUTOUIC ON)
target_include_directories(tessaly_balance_views PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaly_balance_views PUBLIC tessaly_acquisition_views
  tessaly_balance_core tessaly_static_analysis_core tessaly_data_files_core
  tessaly_posturography_painters
  QCustomPlot::QCustomPlot Qt5::PrintSupport)
