# LibreOffice's SDK (the libreoffice-dev package): the C++ language binding of
# UNO, which the LibreOffice host adapter (src/docif/uno) and the extension
# are built with. Without it both are left out and PLENDRIX_UNO is OFF.
#
# Defines, when found:
#   plx_uno_sdk  an interface target carrying the generated type headers, the
#                SDK's include folder and definitions and its three libraries
#   PLENDRIX_LO_PROGRAM_DIR  the office's program folder (soffice.bin, types)
set(PLENDRIX_LO_DIR "/usr/lib/libreoffice" CACHE PATH "LibreOffice's installation folder")
set(PLENDRIX_LO_PROGRAM_DIR "${PLENDRIX_LO_DIR}/program")
set(sdk "${PLENDRIX_LO_DIR}/sdk")
find_program(PLENDRIX_CPPUMAKER cppumaker PATHS "${sdk}/bin" NO_DEFAULT_PATH)
set(types "${PLENDRIX_LO_PROGRAM_DIR}/types.rdb" "${PLENDRIX_LO_PROGRAM_DIR}/types/offapi.rdb")

set(PLENDRIX_UNO OFF)
if(PLENDRIX_CPPUMAKER AND EXISTS "${sdk}/include/cppuhelper/bootstrap.hxx"
   AND EXISTS "${PLENDRIX_LO_PROGRAM_DIR}/types/offapi.rdb" AND EXISTS "${PLENDRIX_LO_PROGRAM_DIR}/soffice.bin")
  set(PLENDRIX_UNO ON)
endif()
if(NOT PLENDRIX_UNO)
  message(STATUS "LibreOffice SDK not found (libreoffice-dev): the LibreOffice host and plendrix.oxt are not built")
  return()
endif()

# The C++ headers of every UNO type the office knows, generated once per build
# folder (about 3,300 headers).
set(PLENDRIX_UNO_HEADERS "${CMAKE_BINARY_DIR}/uno-headers")
add_custom_command(
  OUTPUT "${PLENDRIX_UNO_HEADERS}/stamp"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${PLENDRIX_UNO_HEADERS}"
  COMMAND "${PLENDRIX_CPPUMAKER}" -Gc "-O${PLENDRIX_UNO_HEADERS}" ${types}
  COMMAND "${CMAKE_COMMAND}" -E touch "${PLENDRIX_UNO_HEADERS}/stamp"
  DEPENDS ${types}
  COMMENT "Generating the UNO type headers")
add_custom_target(plx_uno_headers DEPENDS "${PLENDRIX_UNO_HEADERS}/stamp")

add_library(plx_uno_sdk INTERFACE)
add_dependencies(plx_uno_sdk plx_uno_headers)
# SYSTEM: the SDK's headers are not held to our warning flags.
target_include_directories(plx_uno_sdk SYSTEM INTERFACE "${PLENDRIX_UNO_HEADERS}" "${sdk}/include")
target_compile_definitions(plx_uno_sdk INTERFACE UNX GCC LINUX CPPU_ENV=gcc3
  PLENDRIX_LO_PROGRAM_DIR="${PLENDRIX_LO_PROGRAM_DIR}")
target_link_directories(plx_uno_sdk INTERFACE "${sdk}/lib")
target_link_libraries(plx_uno_sdk INTERFACE uno_cppuhelpergcc3 uno_cppu uno_sal)
# The SDK's link libraries are stubs; the office's own copies are loaded at run time.
target_link_options(plx_uno_sdk INTERFACE "LINKER:-rpath,${PLENDRIX_LO_PROGRAM_DIR}")
# UNO's bridge hands out proxies whose virtual tables it builds at run time,
# without C++ type information: the undefined-behaviour sanitizer's check of
# a call's dynamic type would stop at every call through one.
if(PLENDRIX_SANITIZE)
  target_compile_options(plx_uno_sdk INTERFACE -fno-sanitize=vptr)
endif()
