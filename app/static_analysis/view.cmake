# The static analysis view, included by app/CMakeLists.txt once tessaly_views exists.
find_package(Qt5 5.15 REQUIRED COMPONENTS Charts)
set(static_view_dir ${CMAKE_CURRENT_LIST_DIR})
target_sources(tessaly_views PRIVATE
  ${static_view_dir}/forcePlateStaticDataAnalysis.cpp
  ${static_view_dir}/forcePlateStaticDataAnalysis.ui
  ${static_view_dir}/StaticPainters.cpp
  ${static_view_dir}/StaticCharts.cpp)
target_link_libraries(tessaly_views PUBLIC tessaly_static_analysis_core Qt5::Charts)
