# The report viewer, the report browser and publishing, added to the program's views.
find_package(Qt5 5.15 REQUIRED COMPONENTS Pdf PdfWidgets)
target_sources(tessaly_views PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DataRepots.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataRepots.ui
  ${CMAKE_CURRENT_LIST_DIR}/DataReportsFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataReportsFiles.ui
  ${CMAKE_CURRENT_LIST_DIR}/ReportPublisher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportTable.cpp)
target_link_libraries(tessaly_views PUBLIC tessaly_reports_core Qt5::Pdf Qt5::PdfWidgets)
