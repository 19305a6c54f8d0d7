# The static analysis view, included by app/CMakeLists.txt once tessaly_views exists.
find_package(Qt5 5.15 REQUIRED COMPONENTS Charts)
set(static_view_dir ${CMAKE_CURRENT_LIST_DIR})
target_sources(tessaly_views PRIVATE
  ${static_view_dir}/forcePlateStaticDataAnalysis.cpp
  ${static_view_dir}/forcePlateStaticDataAnalysis.ui
  ${static_view_dir}/StaticPainters.cpp
  ${static_view_dir}/StaticCharts.cpp)
target_link_libraries(tessaly_views PUBLIC tessaly_static_analysis_core Qt5::Charts)

# The foot outlines and the classification scale, drawn at build time into Resources/images
# beside the program.
add_executable(make_foot_pictures ${static_view_dir}/pictures/make_foot_pictures.cpp)
target_link_libraries(make_foot_pictures PRIVATE Qt5::Gui)
set_target_properties(make_foot_pictures PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/foot_pictures.stamp
  COMMAND make_foot_pictures ${CMAKE_BINARY_DIR}/bin/Resources/images
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/foot_pictures.stamp
  DEPENDS make_foot_pictures
  COMMENT "Drawing the foot outlines and the classification scale")
add_custom_target(static_view_pictures ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/foot_pictures.stamp)
add_dependencies(static_view_pictures resources)
add_dependencies(tessaly_views static_view_pictures)
