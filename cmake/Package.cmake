# The Debian package, made by `cpack --preset package` (see tools/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mironeka)
set(CPACK_PACKAGE_VENDOR VELMORAKI)
set(CPACK_PACKAGE_CONTACT "VELMORAKI <score@velmoraki.example>")
# The Homepage: field only for a real home page.
if(MIRONEKA_HOMEPAGE_URL)
  set(CPACK_PACKAGE_HOMEPAGE_URL ${MIRONEKA_HOMEPAGE_URL})
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game of luring ants into the six gardens of a house")
set(CPACK_PACKAGE_DESCRIPTION
    "Mironeka is a small single-player game in Japanese or English. The house
has six empty gardens, each a grid of four by four tiles, to be made
attractive to ants.

In a garden the player puts sugar, makes puddles, plants grass or levels the
land, then skips to the next day. Each evening the garden is judged: every
tile adds up what lies around it, the amount of sugar decides whether black
ants, red ants or none move in, nests appear and points are counted.

After seven days a garden is over. The six gardens' points add up to a total,
which a score code carries by e-mail to a monthly ranking.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface is Japanese: one of the fonts it was laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-monapo | fonts-ipafont-gothic")

include(CPack)
