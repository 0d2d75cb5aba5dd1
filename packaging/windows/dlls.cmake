# Where the DLLs that the Windows build loads lie on this machine: Qt's, and those of MinGW's
# runtime (libstdc++, libgcc, libssp, winpthreads), each folder as its package names it.
# Installing takes them from here, and the tests under Wine find them here.
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(dir ${qt_core} DIRECTORY)
set(DICEWRIGHT_DLL_DIRS ${dir})
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(dir ${path} DIRECTORY)
  get_filename_component(dir ${dir} REALPATH)
  list(APPEND DICEWRIGHT_DLL_DIRS ${dir})
endforeach()
