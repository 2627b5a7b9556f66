# cmake -DROOT=<source folder> -P HouseCheck.cmake
# Reads every #include "folder/..." under ROOT's src/, encoder/, tests/ and bench/ and fails,
# naming file and line, on each one that runs against the allowed arrows below. The link lines
# of src/*/CMakeLists.txt are the same arrows; this check also covers headers, which no linker
# sees, and the tests and benchmarks.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
    message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P HouseCheck.cmake")
endif()

# The direct arrows; a folder may include its own headers and those of every folder it reaches.
set(arrows_app shell)
set(arrows_shell mainwnd)
set(arrows_mainwnd preview dialogs)
set(arrows_preview ui)
set(arrows_dialogs ui)
set(arrows_ui platform disc)
set(arrows_platform engine support)
set(arrows_disc engine support)
set(arrows_engine base contract)
set(arrows_support base)
set(arrows_base "")
set(arrows_cli disc engine support)
set(arrows_version "")
# encoder/ is trelcore; encoder/contract is what it and the engine agree on.
set(arrows_encoder contract)
set(arrows_contract "")
set(house_folders app shell mainwnd preview dialogs ui platform disc engine support base cli
                  version contract)

# Test and benchmark folders stand where the code they exercise stands.
set(place_testing ui)         # the shared test mains answer message boxes and file dialogs
set(place_fixtures encoder)
set(place_house encoder)
set(place_install encoder)
set(place_package encoder)
set(place_fuzz cli)           # parsers of engine, support and base
# The stated exceptions, for tests only:
#   tests/cli -> mainwnd  the parity test holds the program's command lines to the form's
#   tests/ui -> shell     the templates' fit is checked in each shipped language, which the shell
#                         loads
#   tests/support -> engine  the catalog is held to the status words of the engine's list rows
#   tests/dialogs -> mainwnd  the dialogs' workers reach the test's list as they reach the view's,
#                             through mainwnd's UiThreadWorkerUi
set(extra_tests_cli mainwnd)
set(extra_tests_dialogs mainwnd)
set(extra_tests_ui shell)
set(extra_tests_support engine)

function(reach folder out)
    set(seen ${folder})
    set(queue ${folder})
    while(queue)
        list(POP_FRONT queue current)
        foreach(next IN LISTS arrows_${current})
            if(NOT next IN_LIST seen)
                list(APPEND seen ${next})
                list(APPEND queue ${next})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The folder whose arrows hold for a file, by its path below ROOT; empty for a file of no place.
function(place_of relative out)
    string(REPLACE "/" ";" parts "${relative}")
    list(GET parts 0 top)
    list(LENGTH parts depth)
    set(place "")
    if(top STREQUAL "encoder")
        list(GET parts 1 second)
        if(depth GREATER 2 AND second STREQUAL "contract")
            set(place contract)
        else()
            set(place encoder)
        endif()
    elseif(depth EQUAL 2)
        # Helpers at the top of tests/ or bench/ serve every folder: plain C++ only.
        set(place base)
    elseif(depth GREATER 2)
        list(GET parts 1 second)
        if(DEFINED place_${second})
            set(place ${place_${second}})
        elseif(second IN_LIST house_folders OR second STREQUAL "encoder")
            set(place ${second})
        endif()
    endif()
    set(${out} "${place}" PARENT_SCOPE)
endfunction()

set(faults 0)
file(GLOB_RECURSE files RELATIVE ${ROOT} LIST_DIRECTORIES false
     ${ROOT}/src/* ${ROOT}/encoder/* ${ROOT}/tests/* ${ROOT}/bench/*)
list(FILTER files INCLUDE REGEX "\\.(h|hpp|c|cc|cpp|in)$")
list(SORT files)
foreach(file IN LISTS files)
    place_of(${file} place)
    if(place STREQUAL "")
        string(REGEX MATCH "^[^/]+/[^/]+" folder "${file}")
        message("${file}:1: ${folder} has no place among the arrows; give it one in "
                "cmake/HouseCheck.cmake")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    reach(${place} allowed)
    string(REGEX MATCH "^(tests|bench)/([^/]+)/" under "${file}")
    if(under)
        string(REGEX REPLACE "/$" "" key "${under}")
        string(REPLACE "/" "_" key "${key}")
        list(APPEND allowed ${extra_${key}})
    endif()
    file(READ ${ROOT}/${file} text)
    # One list element per line: characters that are special in a CMake list are hidden first.
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    string(REPLACE "\\" "<backslash>" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/([^\"]*)\"")
            continue()
        endif()
        set(target ${CMAKE_MATCH_1})
        set(header "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
        if(NOT target IN_LIST house_folders OR target IN_LIST allowed)
            continue()
        endif()
        set(shown ${allowed})
        list(REMOVE_ITEM shown ${place})
        string(REPLACE ";" " " shown "${shown}")
        message("${file}:${number}: ${place} -> ${target} is not an allowed arrow "
                "(#include \"${header}\"; ${place} may include: ${shown})")
        math(EXPR faults "${faults} + 1")
    endforeach()
endforeach()

list(LENGTH files count)
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) against the arrows in ${count} files")
endif()
message("All includes of ${count} files follow the arrows")
