# The plain core of real-time measurement, without widgets: the pressure colour scale and
# renderer, the colour texts and the recorded data file. Linked by the views, the tools and
# the tests.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui)
find_package(OpenCV REQUIRED COMPONENTS core imgproc imgcodecs)

add_library(tessaly_realtime_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FigureFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PressureMatrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorScale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PressImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingReader.cpp
)
target_include_directories(tessaly_realtime_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                           ${OpenCV_INCLUDE_DIRS})
target_link_libraries(tessaly_realtime_core PUBLIC tessaly_acquisition tessaly_storage Qt5::Core Qt5::Gui
                      ${OpenCV_LIBS})
