# libjpeg-turbo from Debian's source package, built for this target as a static library
# with its SIMD code. Its CMake build cannot be added as a subdirectory.
include(ExternalProject)

if(NOT JPEG_SOURCE_DIR OR NOT EXISTS "${JPEG_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "JPEG_SOURCE_DIR must name the unpacked libjpeg-turbo source (./test or ./run fetch it)")
endif()

set(JPEG_INSTALL_DIR ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(JPEG_LIBRARY ${JPEG_INSTALL_DIR}/lib/libjpeg.a)

ExternalProject_Add(libjpeg_turbo
  SOURCE_DIR ${JPEG_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-turbo-build
  INSTALL_DIR ${JPEG_INSTALL_DIR}
  CMAKE_ARGS
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_INSTALL_LIBDIR=<INSTALL_DIR>/lib
    -DCMAKE_INSTALL_BINDIR=<INSTALL_DIR>/bin
    "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_SIMD=ON
    -DREQUIRE_SIMD=ON
  BUILD_BYPRODUCTS ${JPEG_LIBRARY}
  INSTALL_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target install
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_INSTALL ON
  LOG_OUTPUT_ON_FAILURE ON)

file(MAKE_DIRECTORY ${JPEG_INSTALL_DIR}/include)
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES IMPORTED_LOCATION ${JPEG_LIBRARY})
# Our code compiles against the jconfig.h of this Windows build, never the host's.
target_include_directories(jpeg_static INTERFACE ${JPEG_INSTALL_DIR}/include)
add_dependencies(jpeg_static libjpeg_turbo)
