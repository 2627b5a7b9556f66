# Included by src/CMakeLists.txt (generated sources must belong to the directory of their target).
# The built-in English resource module: the id-based catalog (compiled by lrelease) and the
# layout data (menus, accelerators, toolbars, dialog templates), embedded as bytes into
# clipwright_core. A language library hands over a catalog compiled the same way.
set(CLIPWRIGHT_LRELEASE $<TARGET_FILE:Qt6::lrelease>)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/res)
set(catalog_ts ${CMAKE_CURRENT_LIST_DIR}/clipwright_en.ts)
set(catalog_qm ${CMAKE_BINARY_DIR}/res/clipwright_en.qm)
add_custom_command(
    OUTPUT ${catalog_qm}
    COMMAND ${CLIPWRIGHT_LRELEASE} -idbased -silent ${catalog_ts} -qm ${catalog_qm}
    DEPENDS ${catalog_ts}
    COMMENT "Compiling the English catalog"
    VERBATIM)

# clipwright_embed_file(<output.cpp> <input> <symbol>): defines
# `extern const unsigned char <symbol>[]` and `extern const size_t <symbol>Size` in clipwright.
# Also used by the language libraries (lang/), hence the function's own folder for the script.
function(clipwright_embed_file output input symbol)
    set(CLIPWRIGHT_EMBED_SCRIPT ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFile.cmake)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
                -P ${CLIPWRIGHT_EMBED_SCRIPT}
        DEPENDS ${input} ${CLIPWRIGHT_EMBED_SCRIPT}
        VERBATIM)
endfunction()

clipwright_embed_file(${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp ${catalog_qm}
                      kBuiltInCatalog)
clipwright_embed_file(${CMAKE_BINARY_DIR}/res/builtin_layout.cpp
                      ${CMAKE_CURRENT_LIST_DIR}/layout.json kBuiltInLayout)
target_sources(clipwright_core PRIVATE ${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp
                                       ${CMAKE_BINARY_DIR}/res/builtin_layout.cpp)
set_source_files_properties(${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp
                            ${CMAKE_BINARY_DIR}/res/builtin_layout.cpp PROPERTIES SKIP_AUTOGEN ON)
