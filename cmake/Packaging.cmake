# The Debian package: `make package` (or `cpack -G DEB` in the build folder)
# gives quenmark_<version>_<arch>.deb with the program, quenmark-payoff, their
# manual pages, the desktop entry, the AppStream metainfo, the icon, the README,
# the copyright file and the changelog; `apt install ./quenmark_*.deb` installs
# it with the Qt 6 and libjpeg runtime packages it needs. `make install` in the
# build folder installs the same files.

# ---- documentation ---------------------------------------------------------------------
# The manual pages (docs/man/) and the changelog (docs/debian/) are installed
# compressed as Debian keeps them: gzip -9n stores no file name and no time, so
# every build gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(QUENMARK_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
set(QUENMARK_COMPRESSED_DOCS)
foreach(input IN ITEMS docs/man/quenmark.1 docs/man/quenmark-payoff.1 docs/debian/changelog)
    get_filename_component(name ${input} NAME)
    set(output ${QUENMARK_DOC_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENMARK_DOC_DIR}
        COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${GZIP_PROGRAM} ${CMAKE_SOURCE_DIR}/${input} ${output}
        DEPENDS ${CMAKE_SOURCE_DIR}/${input}
        COMMENT "Compressing ${input}"
        VERBATIM)
    list(APPEND QUENMARK_COMPRESSED_DOCS ${output})
endforeach()
add_custom_target(quenmark_docs ALL DEPENDS ${QUENMARK_COMPRESSED_DOCS})

install(FILES ${QUENMARK_DOC_DIR}/quenmark.1.gz ${QUENMARK_DOC_DIR}/quenmark-payoff.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/debian/copyright
              ${QUENMARK_DOC_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quenmark)

# ---- the package ------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenmark)
set(CPACK_PACKAGE_VENDOR "Harlowby")
set(CPACK_PACKAGE_CONTACT "Harlowby <support@owlhaven.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tutorial on how credit-card debt grows and is paid off")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quenmark explains, in nine short illustrated chapters, how a credit card's
balance, interest and minimum payment work, and how paying a little more, or
paying several cards in the right order, gets a debt paid off years sooner.
Two calculators work out the payoff of your own card month by month, and a
planner works out the payoff of all of your cards together, kept between runs.

The package also holds quenmark-payoff, the calculators and the planner on the
command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.owlhaven.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders as Debian wants them (rwxr-xr-x) whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The runtime packages: Qt 6 widgets with the platform plugins that open a
# window, libjpeg for the pictures, and the font the pages are laid out in.
# Where dpkg-shlibdeps is at hand it names the libraries the programs link
# (Qt 6, libjpeg, the C and C++ runtimes) with their exact versions; without
# it they are named here.
set(QUENMARK_DEB_EXTRA "qt6-qpa-plugins, fonts-liberation2")
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QUENMARK_DEB_EXTRA}")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), libjpeg62-turbo, ${QUENMARK_DEB_EXTRA}")
endif()

include(CPack)

# The manual pages keep step with the programs: every option, output key, CSV
# column and exit status of `quenmark-payoff --help`, and the examples' output.
add_test(NAME man_pages
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/test_manpages.sh $<TARGET_FILE:quenmark-payoff>
                 ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})

# The package builds and holds what it must (see the script).
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
    add_test(NAME package_contents
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/test_package.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND})
    set_tests_properties(package_contents PROPERTIES TIMEOUT 600)
endif()
