# Looks quietly for what each optional part needs. A part's option defaults to
# whether that was found; switched on without it, the part's own
# find_package/find_library (REQUIRED) names what is missing.
find_package(CLI11 CONFIG QUIET)
find_package(GTest QUIET)
find_library(DOUBLEFANN_LIBRARY doublefann)
find_path(DOUBLEFANN_INCLUDE_DIR doublefann.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
find_path(MPFR_INCLUDE_DIR mpfr.h)

set(ZARN_HAVE_CLI11 ${CLI11_FOUND})
set(ZARN_HAVE_GTEST ${GTest_FOUND})
set(ZARN_HAVE_FANN OFF)
if(DOUBLEFANN_LIBRARY AND DOUBLEFANN_INCLUDE_DIR)
  set(ZARN_HAVE_FANN ON)
endif()
set(ZARN_HAVE_MPFR OFF)
if(MPFR_LIBRARY AND GMP_LIBRARY AND MPFR_INCLUDE_DIR)
  set(ZARN_HAVE_MPFR ON)
endif()

# zarn_optional(OPTION what needs found [level]): the option, on by default
# when found, and a message (STATUS unless level says otherwise) saying what is
# left out and why.
function(zarn_optional option what needs found)
  set(level STATUS)
  if(ARGC GREATER 4)
    set(level ${ARGV4})
  endif()
  if(${found})
    set(default ON)
  else()
    set(default OFF)
  endif()
  option(${option} "Build ${what} (needs ${needs})" ${default})
  if(NOT ${option})
    if(${found})
      message(${level} "Leaving out ${what}: ${option} is OFF")
    else()
      message(${level} "Leaving out ${what}: ${needs} not found; install it and configure with "
                     "-D${option}=ON")
    endif()
  endif()
endfunction()
