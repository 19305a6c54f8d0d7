# The balance view and its trajectory painter, added to the program's views.
find_package(QCustomPlot REQUIRED)
find_package(Qt5 5.15 REQUIRED COMPONENTS PrintSupport)
target_sources(tessaly_views PRIVATE
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
target_link_libraries(tessaly_views PUBLIC
  tessaly_balance_core tessaly_static_analysis_core tessaly_posturography_painters
  QCustomPlot::QCustomPlot)
