# The reference pages' generator, `jox_docs`, and the `docs` target that runs it (`make docs`).
# It cuts the pictures out of the gallery's pages, so the pages are linked into it.
add_executable(jox_docs EXCLUDE_FROM_ALL ${JOX_ROOT}/docs/tools/docs_main.cpp)
target_link_libraries(jox_docs PRIVATE jox_docgen jox_gallery_pages)
# Whole archive: the pages must see every unit's classes, not only those the program happens to use.
target_link_options(jox_docs PRIVATE "LINKER:--whole-archive" "$<TARGET_FILE:joxwidgets>" "LINKER:--no-whole-archive")
target_compile_definitions(jox_docs PRIVATE JOX_SOURCE_DIR="${JOX_ROOT}")
jox_options(jox_docs)
add_custom_target(docs COMMAND jox_docs --source ${JOX_ROOT} WORKING_DIRECTORY ${JOX_ROOT}
                  COMMENT "Regenerating docs/components and docs/README.md" VERBATIM)

# The examples on the pages are compiled with the build, so an example that no longer compiles fails it.
file(GLOB JOX_DOC_PAGES CONFIGURE_DEPENDS ${JOX_ROOT}/docs/components/*.md)
add_custom_command(OUTPUT ${JOX_BIN}/doc_examples.cpp
                   COMMAND ${CMAKE_COMMAND} -DDIR=${JOX_ROOT}/docs/components -DOUT=${JOX_BIN}/doc_examples.cpp
                           -P ${JOX_ROOT}/docs/tools/snippets.cmake
                   DEPENDS ${JOX_DOC_PAGES} ${JOX_ROOT}/docs/tools/snippets.cmake
                   COMMENT "Gathering the examples of docs/components")
add_library(jox_doc_examples OBJECT ${JOX_BIN}/doc_examples.cpp)
target_link_libraries(jox_doc_examples PRIVATE joxwidgets)
jox_options(jox_doc_examples)
