# Helpers that turn catalogs and data files into code the programs carry.

# clipwright_embed_file(<output.cpp> <input> <symbol>): defines
# `extern const unsigned char <symbol>[]` and `extern const size_t <symbol>Size`.
function(clipwright_embed_file output input symbol)
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFile.cmake)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
                -P ${script}
        DEPENDS ${input} ${script}
        VERBATIM)
endfunction()

# clipwright_compile_catalog(<catalog.ts> <output.qm> <comment>): lrelease in id-based mode.
function(clipwright_compile_catalog catalog_ts catalog_qm comment)
    add_custom_command(
        OUTPUT ${catalog_qm}
        COMMAND $<TARGET_FILE:Qt6::lrelease> -idbased -silent ${catalog_ts} -qm ${catalog_qm}
        DEPENDS ${catalog_ts}
        COMMENT "${comment}"
        VERBATIM)
endfunction()

# clipwright_language_library(<target> <catalog.ts> <sources...>): a loadable module named
# <target>.so that carries the catalog compiled by lrelease -idbased and GetLanguageCatalog
# (lang/catalog_export.cpp). The shipped languages and the tests' own libraries use it.
function(clipwright_language_library target catalog_ts)
    set(language_dir ${PROJECT_SOURCE_DIR}/lang)
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${target})
    file(MAKE_DIRECTORY ${work})
    clipwright_compile_catalog(${catalog_ts} ${work}/catalog.qm "Compiling the catalog of ${target}")
    clipwright_embed_file(${work}/catalog.cpp ${work}/catalog.qm kLanguageCatalog)
    add_library(${target} MODULE ${ARGN} ${language_dir}/catalog_export.cpp ${work}/catalog.cpp)
    target_include_directories(${target} PRIVATE ${language_dir})
    # Only the three exports are visible.
    set_target_properties(${target} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
                                               VISIBILITY_INLINES_HIDDEN ON)
    # The library calls nothing, so an as-needed link would record no library at all, which
    # tools that check a shared library's prerequisites (ldd, lintian) take for a broken one.
    # The libraries it is linked with are those the program that loads it has already.
    target_link_options(${target} PRIVATE LINKER:--no-as-needed)
endfunction()
