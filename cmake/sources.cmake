# Source lists by folder. Every .cpp of a portable folder belongs to its
# library except unit tests (*_test.cpp) and Win32-only files (*_win32.cpp),
# so adding a file needs no edit here.

function(kestrun_portable_sources out)
  set(result "")
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(FILTER found EXCLUDE REGEX "(_test|_win32)\\.cpp$")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(kestrun_test_sources out)
  set(result "")
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*_test.cpp)
    list(FILTER found EXCLUDE REGEX "/win32/")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# A Windows GUI program: the *_win32.cpp files of its window folders, its
# resource script (manifest, version information) and its portable core.
function(kestrun_gui_exe name core rc)
  set(gui "")
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*_win32.cpp)
    list(APPEND gui ${found})
  endforeach()
  add_executable(${name} WIN32 ${gui} ${CMAKE_SOURCE_DIR}/${rc})
  target_link_libraries(${name} PRIVATE ${core} common_win32)
  # The resource script includes the generated version.h.
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated)
  if(MSVC)
    # The resource script carries the manifest.
    target_link_options(${name} PRIVATE /MANIFEST:NO)
  endif()
endfunction()

# A static library of the given sources; an interface library while a folder
# has no sources yet, so that the targets that link it need not change.
function(kestrun_library name)
  set(sources ${ARGN})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC common)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE common)
  endif()
endfunction()
