# Helpers for the sample product's Windows programs and libraries.

# The product's fifteen language libraries, by the suffix of their file names (LignotekDEU.dll ...).
set(SAMPLE_LANGUAGES DEU FRA ITA ESP NLD PTB PLK CSY HUN RUS JPN CHS KOR SVE TRK)

set(SAMPLE_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)

# sample_version_resource(<target> VERSION 7.8.18.1 PRODUCT_VERSION 7.08r DESCRIPTION text
#                         FILE_NAME Lignotek.exe TYPE VFT_APP|VFT_DLL): the target's version block.
function(sample_version_resource target)
  cmake_parse_arguments(ARG "" "VERSION;PRODUCT_VERSION;DESCRIPTION;FILE_NAME;TYPE" "" ${ARGN})
  string(REPLACE "." "," sample_version_commas ${ARG_VERSION})
  set(sample_version ${ARG_VERSION})
  set(sample_product_version ${ARG_PRODUCT_VERSION})
  set(sample_description ${ARG_DESCRIPTION})
  set(sample_file_name ${ARG_FILE_NAME})
  get_filename_component(sample_internal_name ${ARG_FILE_NAME} NAME_WE)
  set(sample_file_type ${ARG_TYPE})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${SAMPLE_VERSION_TEMPLATE} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# A program or library of the product, linked as the setup program is and stripped.
function(sample_windows_binary target)
  lignotek_target_defaults(${target})
  lignotek_windows_link(${target})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_link_options(${target} PRIVATE -s)
endfunction()

# A resource-only library: no code, no entry point, no imports.
function(sample_resource_library target output_name)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${output_name} LINKER_LANGUAGE C)
  target_link_options(${target} PRIVATE -nostdlib -Wl,-e,0)
endfunction()
