# The Debian package: `cpack -G DEB` in the build folder writes phonebook_<version>-1_<arch>.deb.
# dpkg-shlibdeps works out the library dependencies (Qt, SQLite, ICU, libjpeg) from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME phonebook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Phone directory developers")
set(CPACK_PACKAGE_CONTACT ${PHONEBOOK_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "phone directory of one town, a desktop program")
set(CPACK_PACKAGE_DESCRIPTION [[
Type part of a phone number, a name, or a street with house and apartment, press Enter,
and the matching entries of the town's directory appear in a grid. Search texts are
remembered in history lists. The directory is an SQLite file in the user's own folder,
which the launcher phonebook-launch creates on first start; the folder tool phonebook-db
imports and exports entries as CSV.]])
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PHONEBOOK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PHONEBOOK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layout is measured in the metrics of the fonts this package carries; without
# them the program falls back to a sans font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
