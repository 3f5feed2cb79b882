# The Debian package, made by CPack from the install rules of packaging/.
# Included from the top CMakeLists.txt just before include(CPack), which
# reads these settings in that scope.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varkelon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varkelon developers")
set(CPACK_PACKAGE_CONTACT "Varkelon maintainers <maintainers@users.noreply.c-seed-2eddacda.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "demonstrator of on-line neural-network teaching")
set(CPACK_PACKAGE_DESCRIPTION
    "In one window a small recurrent neural network learns, one teaching cycle
at a time, to predict a simulated plant of 17 channels. Students and
teachers watch the plant's and the network's outputs, the recent estimation
history and a table of per-channel values while they drive the teaching.
The package also holds varkelon-teach, a driver without a window that
prints the course of a teaching run as CSV.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies come from dpkg-shlibdeps, never from a list here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# One package of the install rules without a component of their own; the
# Python module (component python) is not in it.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified)
