# The Debian package: `make package` (or `cpack -G DEB` in the build folder)
# gives quenmark_<version>_<arch>.deb with the program, quenmark-payoff, the
# desktop entry, the icon and the README; `apt install ./quenmark_*.deb`
# installs it with the Qt 6 and libjpeg runtime packages it needs.

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quenmark)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenmark)
set(CPACK_PACKAGE_VENDOR "Harlowby")
set(CPACK_PACKAGE_CONTACT "Harlowby <support@owlhaven.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tutorial on how credit-card debt grows and is paid off")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quenmark explains, in nine short illustrated chapters, how a credit card's
balance, interest and minimum payment work, and how paying a little more, or
paying several cards in the right order, gets a debt paid off years sooner.
Two calculators work out the payoff of your own card month by month, and
My Cards plans the payoff of all of your cards together, kept between runs.

The package also holds quenmark-payoff, the calculators and the planner on the
command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.owlhaven.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

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

# The package builds and holds what it must (see the script).
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
    add_test(NAME package_contents
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/test_package.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND})
    set_tests_properties(package_contents PROPERTIES TIMEOUT 300)
endif()
