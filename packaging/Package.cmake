# The Debian packages, made by CPack from the install rules of packaging/.
# Included from the top CMakeLists.txt just before include(CPack), which
# reads these settings in that scope.
#
# One package per install component. The component varkelon is the package
# varkelon (varkelon_<version>_<arch>.deb). A further package needs its
# component's install rules, its name in CPACK_COMPONENTS_ALL and its
# CPACK_DEBIAN_<COMPONENT>_* settings (the component's name in upper case),
# as for varkelon below; packaging/CMakeLists.txt's
# varkelon_install_package_docs(<component> <package>) gives it its
# copyright file and change log.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varkelon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varkelon developers")
set(CPACK_PACKAGE_CONTACT "Varkelon maintainers <maintainers@users.noreply.c-seed-2eddacda.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL varkelon)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies come from dpkg-shlibdeps, never from a list here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_VARKELON_PACKAGE_NAME varkelon)
set(CPACK_DEBIAN_VARKELON_PACKAGE_SECTION science)
# The toolkit's translations of its own dialogs, read under Russian captions;
# without them those dialogs stay English.
set(CPACK_DEBIAN_VARKELON_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_VARKELON_DESCRIPTION
    "demonstrator of on-line neural-network teaching
In one window a small recurrent neural network learns, one teaching cycle
at a time, to predict a simulated plant of 17 channels. Students and
teachers watch the plant's and the network's outputs, the recent estimation
history and a table of per-channel values while they drive the teaching.
The package also holds varkelon-teach, a driver without a window that
prints the course of a teaching run as CSV.")

# The Python module, for the Python it was built for.
if(TARGET varkelon_python)
  list(APPEND CPACK_COMPONENTS_ALL python)
  string(REPLACE "." ";" python_version_parts ${VARKELON_PYTHON_VERSION})
  list(GET python_version_parts 0 python_major)
  list(GET python_version_parts 1 python_minor)
  math(EXPR python_next_minor "${python_minor} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-varkelon)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${VARKELON_PYTHON_VERSION}~), python3 (<< ${python_major}.${python_next_minor}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
      "Python module of the Varkelon teaching model
The module varkelon runs the teaching model of Varkelon, the demonstrator of
on-line neural-network teaching, from Python: whole teaching runs as NumPy
arrays, one column per quantity, and a model to step, change and inspect,
with the same numbers, bit for bit, as the window and varkelon-teach.")
endif()

set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/StripNotes.cmake)
# Byte-identical packages from one commit: see Reproducible.cmake.
set(CPACK_VARKELON_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/Reproducible.cmake)
