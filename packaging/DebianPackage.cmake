# The Debian package, made by `cpack -G DEB` in a build folder: orlenda3001_<version>_<arch>.deb with
# everything `cmake --install` installs. Its dependencies are computed from the programs' shared
# libraries by dpkg-shlibdeps; Debian's own triggers update the MIME, desktop and icon caches when it
# is installed, so the package runs no script of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlenda3001)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORLENDA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and editor of X-Wing Alliance pilot files")
set(CPACK_PACKAGE_DESCRIPTION
    "Orlenda 3001 <Light> opens the pilot files (*.plt) of the space-combat game\n\
X-Wing Alliance, shows and edits the pilot's name, rank, rating, Kalidor\n\
Crescent status and active mission, and builds a text report: a score\n\
summary, a consistency check of the scores, the campaign and combat simulator\n\
mission scores, kills, assists and losses. A one-line score summary of each\n\
pilot is appended to a main log that players keep to compare pilots.\n\
\n\
The package holds the desktop program (Qt 6) and orlenda3001-cli, its\n\
command-line companion for scripts and batch checks.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Section "games" is for packages with a game in /usr/games; this is a tool beside one.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORLENDA_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Every folder in the package is rwxr-xr-x, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
include(CPack)
