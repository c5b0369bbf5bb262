# The Debian package (scripts/package): cpack's DEB generator over the
# install rules, installed under /usr. The shared libraries the program links
# are found by dpkg-shlibdeps; the fonts it draws with are only found at run
# time through fontconfig, so they are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME discora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tessaly)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print CD and DVD covers and disc labels")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/data/package/description.txt)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessaly Packaging <packaging@tessaly.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The product's web address, as the program itself names it.
file(STRINGS ${PROJECT_SOURCE_DIR}/document/ProductInfo.h web_address REGEX "\"https?://[^\"]*\"")
string(REGEX REPLACE ".*\"(https?://[^\"]*)\".*" "\\1" web_address "${web_address}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${web_address}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
