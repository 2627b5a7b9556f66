# Included by src/support/CMakeLists.txt (generated sources must belong to the directory of their
# target). The built-in English resource module: the id-based catalog (compiled by lrelease) and
# the layout data (menus, accelerators, toolbars, dialog templates), embedded as bytes into
# clipwright_support. A language library hands over a catalog compiled the same way.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/res)
set(catalog_qm ${CMAKE_BINARY_DIR}/res/clipwright_en.qm)
clipwright_compile_catalog(${CMAKE_CURRENT_LIST_DIR}/clipwright_en.ts ${catalog_qm}
                           "Compiling the English catalog")
clipwright_embed_file(${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp ${catalog_qm}
                      kBuiltInCatalog)
clipwright_embed_file(${CMAKE_BINARY_DIR}/res/builtin_layout.cpp
                      ${CMAKE_CURRENT_LIST_DIR}/layout.json kBuiltInLayout)
target_sources(clipwright_support PRIVATE ${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp
                                          ${CMAKE_BINARY_DIR}/res/builtin_layout.cpp)
set_source_files_properties(${CMAKE_BINARY_DIR}/res/builtin_catalog.cpp
                            ${CMAKE_BINARY_DIR}/res/builtin_layout.cpp PROPERTIES SKIP_AUTOGEN ON)
