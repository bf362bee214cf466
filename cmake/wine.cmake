# Tests of a Windows build run under Wine, through a script that knows where Qt and the MinGW
# runtime are. Its prefix lives in the build folder; scripts/test-windows makes it once.
set(TARNWICK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)

# The folders of the Qt DLLs and of the MinGW runtime the compiler links against.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE stdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(qt_dlls "${Qt6_DIR}/../../../bin" ABSOLUTE)
set(TARNWICK_RUNTIME_DIRS ${qt_dlls})
foreach(dll ${stdcxx} ${winpthread})
  get_filename_component(dir ${dll} DIRECTORY)
  get_filename_component(dir ${dir} ABSOLUTE)
  list(APPEND TARNWICK_RUNTIME_DIRS ${dir})
endforeach()
list(REMOVE_DUPLICATES TARNWICK_RUNTIME_DIRS)

# Wine's path takes Windows folders: Z: is the Unix root.
set(TARNWICK_WINE_PATH)
foreach(dir ${TARNWICK_RUNTIME_DIRS})
  string(REPLACE "/" "\\" dir "Z:${dir}")
  list(APPEND TARNWICK_WINE_PATH "${dir}")
endforeach()
list(JOIN TARNWICK_WINE_PATH ";" TARNWICK_WINE_PATH)

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
