# cmake -DWORK=<scratch folder> -DCHECK=<HouseCheck.cmake> -P planted_includes.cmake
# Builds a small tree with allowed includes and wrong ones at known lines, runs the house check
# on it and fails unless the check fails naming exactly the wrong ones.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})

function(plant path text)
    file(WRITE ${WORK}/${path} "${text}")
endfunction()

function(run_check out_result out_output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${out_result} ${result} PARENT_SCOPE)
    set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

# Allowed: downward, across more than one step, a folder's own headers, a test of its folder.
plant(src/mainwnd/view.cpp "#include \"mainwnd/view.h\"\n#include \"engine/source_item.h\"\n")
plant(src/ui/form.h "#pragma once\n#include <vector>\n#include \"platform/launcher.h\"\n")
plant(src/cli/run.cpp "// a[0]; b\\\n#include \"disc/disc_plan.h\"\n#include \"mpv/client.h\"\n")
plant(tests/dialogs/dialog_test.cpp "#include \"dialogs/worker_dialog.h\"\n")
run_check(result output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the check refused a tree of allowed includes:\n${output}")
endif()

# Wrong: upward, sideways, the command-line program into the window's code, a test upward.
plant(src/engine/planted.h "#pragma once\n\n#include \"ui/message_box.h\"\n")
plant(src/platform/sideways.cpp "#include \"platform/sideways.h\"\n  #  include \"disc/disc_plan.h\"\n")
plant(src/cli/planted.cpp "#include \"engine/file_system.h\"\n#include \"platform/launcher.h\"\n")
plant(tests/disc/planted_test.cpp "// [x]; y\n#include \"dialogs/disc_dialog.h\"\n")
run_check(result output)
if(result EQUAL 0)
    message(FATAL_ERROR "the check passed a tree with wrong includes:\n${output}")
endif()
foreach(expected
        "src/engine/planted.h:3: engine -> ui "
        "src/platform/sideways.cpp:2: platform -> disc "
        "src/cli/planted.cpp:2: cli -> platform "
        "tests/disc/planted_test.cpp:2: disc -> dialogs ")
    string(FIND "${output}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the check did not name \"${expected}\":\n${output}")
    endif()
endforeach()
string(REGEX MATCHALL "is not an allowed arrow" named "${output}")
list(LENGTH named count)
if(NOT count EQUAL 4)
    message(FATAL_ERROR "the check named ${count} wrong includes, not 4:\n${output}")
endif()
message("The check named the four planted wrong includes")
