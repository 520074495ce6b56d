# The reference pages' generator, `jox_docs`, and the `docs` target that runs it (`make docs`).
# It cuts the pictures out of the gallery's pages, so the pages are built into it.
jox_glob(JOX_DOCS_PAGES gallery)
list(FILTER JOX_DOCS_PAGES EXCLUDE REGEX "/main\\.cpp$")
add_executable(jox_docs ${JOX_ROOT}/docs/tools/docs_main.cpp ${JOX_ROOT}/docs/tools/docgen.cpp ${JOX_DOCS_PAGES})
# Whole archive: the pages must see every unit's classes, not only those the program happens to use.
target_link_libraries(jox_docs PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,joxwidgets>")
target_compile_definitions(jox_docs PRIVATE JOX_SOURCE_DIR="${JOX_ROOT}")
jox_options(jox_docs)
add_custom_target(docs COMMAND jox_docs --source ${JOX_ROOT} WORKING_DIRECTORY ${JOX_ROOT}
                  COMMENT "Regenerating docs/components and docs/README.md" VERBATIM)
