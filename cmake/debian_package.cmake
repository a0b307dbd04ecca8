# The Debian package of the Linux program: velqora_<version>_<arch>.deb holding what
# `cmake --install` installs. Made by tools/build-deb.sh (configure with
# -DCMAKE_INSTALL_PREFIX=/usr, build, then cpack).
set(VELQORA_MAINTAINER "Velqora developers <velqora@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velqora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VELQORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converter between geographic and map grid coordinates")
set(CPACK_PACKAGE_DESCRIPTION
    "Velqora converts one point at a time between longitude and latitude on a
reference ellipsoid and the X and Y coordinates of a map grid, in both
directions, with six projections: Transverse Mercator, Oblique Mercator,
Lambert conformal conic with one and with two standard parallels,
Cassini-Soldner and Oblique stereographic. For each point it shows the grid
convergence, the point scale factor and the grid length of one arc-second.
Ellipsoids, projections and grid systems come from plain-text lists; a
sample set of real grid systems is installed in /usr/share/velqora.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# dpkg-shlibdeps (dpkg-dev) names the Qt libraries the program links; the window
# also needs Qt's platform plugins, loaded at run time, and Arial's metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")

include(CPack)
