# A Debian package of the program: `cpack -G DEB` in the build folder. The package holds what
# `cmake --install` lays out under /usr: both programs, the shipped files and BarCode images under
# share/vennlo, the desktop entry, the icon and the MIME types of the design files. Library
# dependencies are read off the binaries by dpkg-shlibdeps; the Japanese font and Qt's Japanese
# translation are named by hand, since nothing links to them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vennlo)
set(CPACK_PACKAGE_VENDOR "Vestrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shelf labels, price tags and a product ledger with JAN barcodes")
set(CPACK_PACKAGE_DESCRIPTION
  "ぽらね値札作成 keeps a shop's product list (Shift_JIS CSV or imported from a workbook) and makes "
  "shelf labels, stick-on price tags and a product ledger as printable pages with JAN barcodes.")
set(CPACK_PACKAGE_CONTACT "Vestrel <support@vestrel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "chromium | firefox-esr | x-www-browser")
set(CPACK_STRIP_FILES ON)
include(CPack)
