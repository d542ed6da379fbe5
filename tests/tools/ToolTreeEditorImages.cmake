# A tree of its own in which only the command-line host is built, as the
# README's main job does: the editor then opens with its images; without
# them it refuses, saying where it looked and how to make them.
#
# cmake -DSOURCE=<checkout> -DTREE=<folder> -DCOMPILER=<c++> -DREFERENCE_TOOL=<thudrokka> -P ToolTreeEditorImages.cmake

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}\n${err}")
  endif()
endfunction()

cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
run_checked(${CMAKE_COMMAND} -S ${SOURCE} -B ${TREE} -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${COMPILER}
            -DTHUDROKKA_WERROR=ON -DTHUDROKKA_BENCH=OFF)
# Images left by an earlier run would hide a build that no longer draws them.
file(REMOVE_RECURSE ${TREE}/Resources)
run_checked(${CMAKE_COMMAND} --build ${TREE} --target thudrokka --parallel ${cores})

set(tool ${TREE}/tools/thudrokka/thudrokka)
run_checked(${tool} editor --shot ${TREE}/shot.png)
run_checked(${REFERENCE_TOOL} editor --shot ${TREE}/reference.png)
file(SHA256 ${TREE}/shot.png shot)
file(SHA256 ${TREE}/reference.png reference)
if(NOT shot STREQUAL reference)
  message(FATAL_ERROR "the editor in ${TREE} does not look as in the main build: compare shot.png with reference.png")
endif()

file(REMOVE_RECURSE ${TREE}/Resources)
execute_process(COMMAND ${tool} editor --shot ${TREE}/black.png RESULT_VARIABLE status ERROR_VARIABLE err)
string(CONCAT expected "thudrokka editor: the editor's images are missing "
       "(no Thudrokka_GUI_background_Free.png in ${TREE}/Resources); "
       "make them with 'cmake --build ${TREE} --target editor-images'\n")
if(status EQUAL 0 OR NOT err STREQUAL expected OR EXISTS ${TREE}/black.png)
  message(FATAL_ERROR "without its images the editor answered ${status} with:\n${err}\nexpected:\n${expected}")
endif()
