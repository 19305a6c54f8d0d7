# The package's version (the project's) is the one the program shows (kVersionMajor, kVersionMinor
# and kVersionPatch in AppConstants.h).
#   cmake -DHEADER=AppConstants.h -DVERSION=1.1.10 -P check_version.cmake
file(READ ${HEADER} text)
set(shown "")
foreach(part Major Minor Patch)
  if(NOT text MATCHES "kVersion${part} = ([0-9]+);")
    message(FATAL_ERROR "${HEADER} has no kVersion${part}")
  endif()
  list(APPEND shown ${CMAKE_MATCH_1})
endforeach()
list(JOIN shown "." shown)
if(NOT shown STREQUAL VERSION)
  message(FATAL_ERROR "the program shows ${shown}, the package says ${VERSION}")
endif()
message(STATUS "version ${shown}")
