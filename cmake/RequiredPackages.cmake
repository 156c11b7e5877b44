# Required dependencies: a missing one stops the configuration with the Debian
# package that provides it (scripts/install-deps installs them all).

# find_package(<name> <arguments>...), which must succeed.
macro(ap_require_package name debian_package)
  find_package(${name} ${ARGN} QUIET)
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR "${name} not found: install the Debian package ${debian_package} "
                        "(scripts/install-deps)")
  endif()
endmacro()

# pkg_check_modules(<prefix> IMPORTED_TARGET <modules>...), which must succeed:
# the modules are then target PkgConfig::<prefix>.
macro(ap_require_pkg_config prefix debian_package)
  ap_require_package(PkgConfig pkg-config)
  pkg_check_modules(${prefix} QUIET IMPORTED_TARGET ${ARGN})
  if(NOT ${prefix}_FOUND)
    message(FATAL_ERROR "pkg-config module(s) ${ARGN} not found: install the Debian package "
                        "${debian_package} (scripts/install-deps)")
  endif()
endmacro()
