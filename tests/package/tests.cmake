# The Debian package of a finished build: cpack into a scratch folder, the
# package unpacked into a scratch root, and its programs run from there. It
# builds nothing (the build must be done), and is left out of the sanitizer
# build, which makes no package.
if(ZELTA_BUILD_UI AND NOT ZELTA_SANITIZE AND TARGET zelta-pager-sim)
  find_program(ZELTA_DPKG_DEB dpkg-deb)
  if(ZELTA_DPKG_DEB)
    add_test(NAME PackageInstall
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND})
    set_tests_properties(PackageInstall PROPERTIES LABELS "package" TIMEOUT 600
      RESOURCE_LOCK pager_pty)  # it programs a simulator (tests/link/tests.cmake)
  endif()
endif()
