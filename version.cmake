# The project's version, written once for the desktop build, its package
# and the web build, and the day it was released: the package's changelog
# and AppStream release carry it.
set(OSTRE3_VERSION 1.0.0)
set(OSTRE3_RELEASE_DATE 2026-12-09)
