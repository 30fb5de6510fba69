# A Debian package of the program: `cmake --build build`, then `cpack -G DEB` in the build folder. The
# package holds what `cmake --install` lays out under /usr: the three programs, the shipped files and
# BarCode images under share/vennlo, the desktop entry, the icon, the MIME types of the design files,
# the manual pages, the copyright and the changelog. Library dependencies are read off the binaries by
# dpkg-shlibdeps; what the running program only calls or names is listed by hand below.

# Everything the install rules copy is made together with the programs, so that building only the
# programs is enough for `cmake --install` and cpack.
set(VENNLO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(VENNLO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(VENNLO_MAN_PAGES vennlo vennlo-cli vennlo-pdf)
set(VENNLO_PACKAGING_OUTPUTS)
# gzip -9n: the greatest compression and no name or time stamp, so that the same sources make the same
# package.
function(vennlo_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VENNLO_PACKAGING_OUT}
    COMMAND gzip -9n -c ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()
foreach(page IN LISTS VENNLO_MAN_PAGES)
  vennlo_gzip(${VENNLO_PACKAGING_DIR}/man/${page}.1 ${VENNLO_PACKAGING_OUT}/${page}.1.gz)
  list(APPEND VENNLO_PACKAGING_OUTPUTS ${VENNLO_PACKAGING_OUT}/${page}.1.gz)
  install(FILES ${VENNLO_PACKAGING_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# A version without a Debian revision makes a native package, whose changelog is changelog.gz.
vennlo_gzip(${VENNLO_PACKAGING_DIR}/changelog ${VENNLO_PACKAGING_OUT}/changelog.gz)
list(APPEND VENNLO_PACKAGING_OUTPUTS ${VENNLO_PACKAGING_OUT}/changelog.gz)
add_custom_target(vennlo_packaging_files ALL DEPENDS ${VENNLO_PACKAGING_OUTPUTS})
add_dependencies(vennlo vennlo_resources vennlo_packaging_files)

install(FILES ${VENNLO_PACKAGING_OUT}/changelog.gz ${VENNLO_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Stripped as dh_strip does: the compiler's .comment and the .note sections go too.
set(VENNLO_INSTALLED_PROGRAMS vennlo vennlo-pdf)
if(TARGET vennlo-cli)
  list(APPEND VENNLO_INSTALLED_PROGRAMS vennlo-cli)
endif()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program ${VENNLO_INSTALLED_PROGRAMS})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vennlo)
set(CPACK_PACKAGE_VENDOR "Vestrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shelf labels, price tags and a product ledger with JAN barcodes")
# One text with its own line breaks (lines under 80 columns); a list would be joined with ";".
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "ぽらね値札作成 is a price-tag maker for small Japanese shops. It keeps one\n"
  "product list (item code, name, price, remarks, JAN code), read from a\n"
  "Shift_JIS CSV file or imported from a spreadsheet workbook, and makes\n"
  "printable pages from it:\n"
  "  - shelf labels in a grid, with price, tax note, logo and barcode;\n"
  "  - stick-on price tags for up to ten products;\n"
  "  - a product ledger with both prices, the tax and the barcode.\n"
  "The pages are HTML files shown in the web browser. vennlo-cli makes the\n"
  "same pages from the command line, and vennlo-pdf turns them into PDF files.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Vestrel <support@vestrel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Called or named, not linked: xdg-open shows pages, help and the read-me; the pages' and designs'
# Windows font names are mapped to Noto Sans/Serif CJK JP; the windows load Qt's Japanese translation.
# (The web engine's own process comes with the libraries dpkg-shlibdeps names.) Outside a desktop,
# xdg-open asks `mimetype` (the MIME database, where the design types are) for a file's type; without
# it, `file` takes a design file for an INI file and nothing opens it.
# fontconfig reads the font-name mapping. The label stocks the designers offer come from the label
# programs' shared template catalogue, read at run time when it is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, libfile-mimeinfo-perl, fontconfig, fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "chromium | firefox-esr | x-www-browser, glabels-data")
set(CPACK_STRIP_FILES ON)
include(CPack)
