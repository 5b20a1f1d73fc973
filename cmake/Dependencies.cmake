# Boost (headers only), libbzip2 and GoogleTest for both builds.
#
# The native build uses Debian's packages.  The Windows build uses the Boost headers through a folder
# that holds only boost/, compiles libbzip2 from Debian's source package and GoogleTest from
# /usr/src/googletest; scripts/install-deps.sh puts all of them in place.

set(LIGNOTEK_THIRD_PARTY ${CMAKE_SOURCE_DIR}/third_party)

add_library(lignotek_boost INTERFACE)
if(WIN32)
  target_include_directories(lignotek_boost SYSTEM INTERFACE ${LIGNOTEK_THIRD_PARTY}/boost-include)
else()
  find_package(Boost 1.74 REQUIRED)
  target_link_libraries(lignotek_boost INTERFACE Boost::headers)
endif()

if(WIN32)
  set(bz2_dir ${LIGNOTEK_THIRD_PARTY}/bzip2)
  if(NOT EXISTS ${bz2_dir}/bzlib.c)
    message(FATAL_ERROR "bzip2 source missing in ${bz2_dir}: run scripts/install-deps.sh")
  endif()
  add_library(bz2_static STATIC
    ${bz2_dir}/blocksort.c ${bz2_dir}/huffman.c ${bz2_dir}/crctable.c ${bz2_dir}/randtable.c
    ${bz2_dir}/compress.c ${bz2_dir}/decompress.c ${bz2_dir}/bzlib.c)
  target_include_directories(bz2_static SYSTEM PUBLIC ${bz2_dir})
  target_compile_options(bz2_static PRIVATE -w)
  add_library(lignotek_bzip2 ALIAS bz2_static)
else()
  find_package(BZip2 REQUIRED)
  add_library(lignotek_bzip2 ALIAS BZip2::BZip2)
endif()

if(NOT LIGNOTEK_FUZZ)
  if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
