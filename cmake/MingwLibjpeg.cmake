# libjpeg for the Windows build: Debian's own libjpeg-turbo source package, fetched through apt
# from the system's Debian mirror and built as a static MinGW library inside the build folder.
# It is fetched and built once per build folder; later builds reuse it.
include(ExternalProject)

set(lirbo_jpeg_root ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(lirbo_jpeg_prefix ${lirbo_jpeg_root}/install)
set(lirbo_jpeg_library ${lirbo_jpeg_prefix}/lib/libjpeg.a)
file(MAKE_DIRECTORY ${lirbo_jpeg_prefix}/include)

ExternalProject_Add(libjpeg_turbo_mingw
  DOWNLOAD_COMMAND ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh libjpeg-turbo ${lirbo_jpeg_root}/download
  COMMAND sh -c "rm -rf '${lirbo_jpeg_root}/source' && mv '${lirbo_jpeg_root}'/download/libjpeg-turbo-*/ '${lirbo_jpeg_root}/source'"
  SOURCE_DIR ${lirbo_jpeg_root}/source
  STAMP_DIR ${lirbo_jpeg_root}/stamp
  TMP_DIR ${lirbo_jpeg_root}/tmp
  BINARY_DIR ${lirbo_jpeg_root}/build
  CMAKE_ARGS
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${lirbo_jpeg_prefix}
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_SIMD=OFF
    -DWITH_TURBOJPEG=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build . --target jpeg-static -j2
  # Only the library and the four headers of its API are needed.
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${lirbo_jpeg_prefix}/lib
          COMMAND ${CMAKE_COMMAND} -E copy libjpeg.a ${lirbo_jpeg_prefix}/lib/
          COMMAND ${CMAKE_COMMAND} -E copy jconfig.h <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jmorecfg.h
                  <SOURCE_DIR>/jerror.h ${lirbo_jpeg_prefix}/include/
  BUILD_BYPRODUCTS ${lirbo_jpeg_library}
  UPDATE_COMMAND ""
)

add_library(lirbo_mingw_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(lirbo_mingw_jpeg PROPERTIES
  IMPORTED_LOCATION ${lirbo_jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES ${lirbo_jpeg_prefix}/include)
add_dependencies(lirbo_mingw_jpeg libjpeg_turbo_mingw)
