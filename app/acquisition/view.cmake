# The acquisition views: the device panel, the frequency dialog and its plate commands, and the
# widget helpers every view uses.
find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets OpenGL Network)
add_library(tessaly_acquisition_views STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CollectFrequencySetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CollectFrequencySetting.ui
  ${CMAKE_CURRENT_LIST_DIR}/DeviceManagement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeviceManagement.ui
  ${CMAKE_CURRENT_LIST_DIR}/PlateCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewHelpers.cpp)
set_target_properties(tessaly_acquisition_views PROPERTIES AUTOMOC ON AUTOUIC ON)
target_include_directories(tessaly_acquisition_views PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaly_acquisition_views PUBLIC
  tessaly_acquisition_session tessaly_realtime_core Tavlo VXMATHIN
  Qt5::Core Qt5::Gui Qt5::Widgets Qt5::OpenGL Qt5::Network)
