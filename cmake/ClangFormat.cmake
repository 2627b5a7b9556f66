# `format` rewrites every C++ file of the project with clang-format and the repository's
# .clang-format; `format-check` fails, naming the files, when any of them would change.
find_program(CLIPWRIGHT_CLANG_FORMAT NAMES clang-format clang-format-14)
file(GLOB_RECURSE clipwright_format_files CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
     ${PROJECT_SOURCE_DIR}/encoder/*.cpp ${PROJECT_SOURCE_DIR}/encoder/*.h
     ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
     ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
     ${PROJECT_SOURCE_DIR}/lang/*.cpp)
if(CLIPWRIGHT_CLANG_FORMAT)
    add_custom_target(format
        COMMAND ${CLIPWRIGHT_CLANG_FORMAT} -i ${clipwright_format_files}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Formatting the sources with clang-format"
        VERBATIM)
    add_custom_target(format-check
        COMMAND ${CLIPWRIGHT_CLANG_FORMAT} --dry-run --Werror ${clipwright_format_files}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Checking the sources' format with clang-format"
        VERBATIM)
else()
    foreach(target format format-check)
        add_custom_target(${target}
            COMMAND ${CMAKE_COMMAND} -E echo "clang-format was not found (package clang-format)"
            COMMAND ${CMAKE_COMMAND} -E false
            VERBATIM)
    endforeach()
endif()
