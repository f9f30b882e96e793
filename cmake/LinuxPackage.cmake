# Linux: `cmake --install` puts the three commands in bin and a manual page
# for each in share/man/man1; the package target (cpack) makes
# vantric-tools_<version>_<arch>.deb of them, its library dependencies
# found by dpkg-shlibdeps. The game is a Windows program and stays out.
include(GNUInstallDirs)

install(TARGETS vantric-solve vantric-make vantric-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Debian keeps manual pages and changelogs compressed by gzip -9n, without a
# name or time stamp in them, so that a rebuild gives the same bytes.
set(compressed_docs "")
foreach(source docs/man/vantric-solve.1 docs/man/vantric-make.1 docs/man/vantric-print.1
               docs/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(copy ${PROJECT_BINARY_DIR}/compressed-docs/${name})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND compressed_docs ${copy}.gz)
endforeach()
add_custom_target(vantric_compressed_docs ALL DEPENDS ${compressed_docs})
list(FILTER compressed_docs INCLUDE REGEX "\\.1\\.gz$")
install(FILES ${compressed_docs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES docs/debian/copyright ${PROJECT_BINARY_DIR}/compressed-docs/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantric-tools)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantric-tools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Vantric maintainers <maintainers@users.noreply.c-seed-bf5f82f2.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku solver, rater, maker and printer for the command line")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "vantric-solve solves, counts, rates and explains lists of Sudoku puzzles,
one a line, on every core; its ratings follow the Sudoku Explainer scale.
vantric-make makes puzzles of one solution, minimal, by symmetry, clues and
rating. vantric-print lays puzzle lists out on A4 or US Letter pages, one to
six a page with their difficulty, and the answers at the end, as a PDF or an
SVG file a page.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(VANTRIC_TESTS AND CMAKE_BUILD_TYPE STREQUAL "Release")
  find_program(DPKG dpkg)
  if(DPKG)
    execute_process(COMMAND ${DPKG} --print-architecture OUTPUT_VARIABLE architecture
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    add_test(NAME package_deb
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
                     -DPACKAGE=vantric-tools_${PROJECT_VERSION}_${architecture}.deb
                     -DVERSION=${PROJECT_VERSION}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckDebianPackage.cmake)
    set_tests_properties(package_deb PROPERTIES TIMEOUT 900 RESOURCE_LOCK vantric_package_deb)
  endif()
endif()
