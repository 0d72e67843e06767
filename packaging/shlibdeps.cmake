# Read by cpack before it makes a package (CPACK_PROJECT_CONFIG_FILE): the package's dependencies,
# computed by dpkg-shlibdeps from the libraries the built programs link. CPack's own way of doing it
# first runs `file` on every installed file, one process each, which takes minutes for the ~800 files
# of the data set; the programs are known, so they are asked directly. DOLVANE_PACKAGED_PROGRAMS is
# set by the generated file that includes this one.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_SHLIBDEPS)
  message(FATAL_ERROR "dpkg-shlibdeps is missing (package dpkg-dev: scripts/install-deps)")
endif()
# dpkg-shlibdeps wants to stand in a source package: a control file naming the binary package.
set(work "${CPACK_PACKAGE_DIRECTORY}/_shlibdeps")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/debian/control" "Source: ${CPACK_PACKAGE_NAME}\n\nPackage: ${CPACK_PACKAGE_NAME}\nArchitecture: any\n")
set(arguments "")
foreach(program IN LISTS DOLVANE_PACKAGED_PROGRAMS)
  list(APPEND arguments "-e${program}")
endforeach()
execute_process(COMMAND "${DPKG_SHLIBDEPS}" -O ${arguments} WORKING_DIRECTORY "${work}"
                OUTPUT_VARIABLE found ERROR_VARIABLE complaints RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE "${work}")
if(NOT status EQUAL 0 OR NOT found MATCHES "^shlibs:Depends=")
  message(FATAL_ERROR "dpkg-shlibdeps failed (${status}): ${complaints}")
endif()
string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_PACKAGE_DEPENDS "${found}")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
