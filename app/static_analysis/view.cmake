# The static analysis view, its painters and charts, and the drawing colours it reads.
find_package(Qt5 5.15 REQUIRED COMPONENTS Charts)
add_library(tessaly_static_analysis_views STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forcePlateStaticDataAnalysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forcePlateStaticDataAnalysis.ui
  ${CMAKE_CURRENT_LIST_DIR}/StaticPainters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StaticCharts.cpp)
set_target_properties(tessaly_static_analysis_views PROPERTIES AUTOMOC ON AUTOUIC ON)
target_include_directories(tessaly_static_analysis_views PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaly_static_analysis_views PUBLIC tessaly_acquisition_views
                      tessaly_static_analysis_core tessaly_data_files_core Qt5::Charts)
