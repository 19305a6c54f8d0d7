# The shell: the main window that creates every view and connects them, its dialogs, the
# start-up steps and the view wiring shared with the tests.
add_library(tessaly_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AboutTessaly.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutTessaly.ui
  ${CMAKE_CURRENT_LIST_DIR}/configDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/configDialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubjectPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewWiring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forcePlateUILib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forcePlateUILib.ui)
set_target_properties(tessaly_shell PROPERTIES AUTOMOC ON AUTOUIC ON)
target_include_directories(tessaly_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaly_shell PUBLIC tessaly_views tessaly_realtime_views tessaly_migration)
