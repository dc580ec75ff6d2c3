# What a cross-build for Windows takes from the host. The header-only libraries (CLI11, nlohmann-json)
# are the same for every system, but their folder, /usr/include, also holds the host's C library, which
# must never reach the Windows compiler: the two are linked into a folder of their own.
# GoogleTest is built from the sources that Debian ships in /usr/src/googletest.
# find_package() then finds all of them through CMake's package redirects.
set(_host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${_host_headers})
foreach(_item CLI nlohmann)
  if(NOT EXISTS ${_host_headers}/${_item})
    if(NOT EXISTS /usr/include/${_item})
      message(FATAL_ERROR "/usr/include/${_item} is missing: run scripts/install-deps.sh")
    endif()
    file(CREATE_LINK /usr/include/${_item} ${_host_headers}/${_item} SYMBOLIC)
  endif()
endforeach()
include_directories(SYSTEM ${_host_headers})

add_library(orlenda_cli11 INTERFACE)
add_library(CLI11::CLI11 ALIAS orlenda_cli11)
add_library(orlenda_nlohmann_json INTERFACE)
add_library(nlohmann_json::nlohmann_json ALIAS orlenda_nlohmann_json)

set(_redirects ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR})
file(WRITE ${_redirects}/cli11-config.cmake "set(CLI11_FOUND TRUE)\n")
file(WRITE ${_redirects}/nlohmann_json-config.cmake "set(nlohmann_json_FOUND TRUE)\n")
file(WRITE ${_redirects}/nlohmann_json-config-version.cmake
     "set(PACKAGE_VERSION 3)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")

if(ORLENDA_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(WRITE ${_redirects}/gtest-config.cmake "set(GTest_FOUND TRUE)\n")
endif()
