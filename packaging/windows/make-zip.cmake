# Script mode (cmake -P): gathers the Windows program with what it needs into STAGE and packs
# it as ZIP. Given: PROGRAM and TWIN (its console twin, which needs the same DLLs), QT (the Qt
# for MinGW), RUNTIME_DIRS (where its DLLs and the MinGW runtime are), OBJDUMP, STRIP, README,
# LICENSES (files to copy into LICENSES/, as source=name), STAGE and ZIP; lists with | between their items.
string(REPLACE "|" ";" RUNTIME_DIRS "${RUNTIME_DIRS}")
string(REPLACE "|" ";" LICENSES "${LICENSES}")
file(REMOVE_RECURSE ${STAGE})
file(COPY ${PROGRAM} ${TWIN} DESTINATION ${STAGE})
# Qt loads its platform and style from these folders beside the program.
set(plugins)
foreach(plugin platforms/qwindows.dll styles/qwindowsvistastyle.dll)
  get_filename_component(folder ${plugin} DIRECTORY)
  file(COPY ${QT}/plugins/${plugin} DESTINATION ${STAGE}/${folder})
  list(APPEND plugins ${QT}/plugins/${plugin})
endforeach()

# Every DLL they load that Qt or MinGW provides; the others are part of Windows. Names are
# matched in lower case, as Windows matches them: the folder searched holds a lower-case link
# to each DLL there is.
set(links ${STAGE}.dlls)
file(REMOVE_RECURSE ${links})
file(MAKE_DIRECTORY ${links})
foreach(dir ${RUNTIME_DIRS})
  file(GLOB present ${dir}/*.dll)
  foreach(dll ${present})
    get_filename_component(name ${dll} NAME)
    string(TOLOWER ${name} name)
    file(CREATE_LINK ${dll} ${links}/${name} SYMBOLIC)
  endforeach()
endforeach()
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES
     EXECUTABLES ${PROGRAM}
     LIBRARIES ${plugins}
     DIRECTORIES ${links}
     RESOLVED_DEPENDENCIES_VAR dlls
     UNRESOLVED_DEPENDENCIES_VAR system_dlls)
foreach(dll ${dlls})
  file(REAL_PATH ${dll} dll)
  file(COPY ${dll} DESTINATION ${STAGE})
endforeach()
file(REMOVE_RECURSE ${links})
# The MinGW runtime comes with its debugging symbols, ten times its size.
file(GLOB_RECURSE binaries ${STAGE}/*.dll ${STAGE}/*.exe ${STAGE}/*.com)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

file(COPY ${README} DESTINATION ${STAGE})
file(COPY ${QT}/LICENSES/ DESTINATION ${STAGE}/LICENSES/Qt)
foreach(licence ${LICENSES})
  string(REPLACE "=" ";" licence ${licence})
  list(GET licence 0 source)
  list(GET licence 1 name)
  file(COPY_FILE ${source} ${STAGE}/LICENSES/${name})
endforeach()

get_filename_component(parent ${STAGE} DIRECTORY)
get_filename_component(folder ${STAGE} NAME)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
