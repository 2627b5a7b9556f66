# clipwright_common_cfg: the compiler settings every target of the project builds with, linked
# privately into each target by clipwright_use_common_cfg() at the end of the top-level list, so
# nothing outside the project (an including super-project, a package's own flags) is touched.
add_library(clipwright_common_cfg INTERFACE)
target_compile_options(clipwright_common_cfg INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    $<$<BOOL:${CLIPWRIGHT_WERROR}>:-Werror>)
# Under the sanitizers' instrumentation GCC 12 takes libstdc++'s own std::regex internals for
# "maybe uninitialized"; the Release build keeps the warning.
if(CLIPWRIGHT_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(clipwright_common_cfg INTERFACE -Wno-maybe-uninitialized)
endif()

# Links clipwright_common_cfg into every compiled target defined in dir and the folders below it.
function(clipwright_use_common_cfg dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            target_link_libraries(${target} PRIVATE clipwright_common_cfg)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        clipwright_use_common_cfg(${subdir})
    endforeach()
endfunction()
