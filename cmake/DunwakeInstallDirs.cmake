# The installed layout, shared by Install.cmake and the install tests.
#
# The binaries go to bin/ and the resources to share/dunwake/ under the same prefix, whatever
# the GNU directory variables say: the installed program finds its resources in
# ../share/dunwake relative to its own folder.
set(DW_INSTALL_BINDIR "bin")
set(DW_INSTALL_RESOURCEDIR "share/dunwake")

# udev reads /usr/lib/udev/rules.d and /usr/local/lib/udev/rules.d (and /etc/udev/rules.d), so
# the default suits the /usr and /usr/local prefixes. For another prefix, point this at a folder
# udev reads, or copy the rule into /etc/udev/rules.d by hand.
set(DW_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule is installed; relative paths are below the install prefix")

# Folders of resources/ that are not part of the installed program: the skin's image generator
# is a development tool, and Font/ is filled from the system's fonts (a developer's local font
# files there are never shipped).
set(DW_RESOURCES_NOT_INSTALLED "skin/tools;Font")
