# Common settings for every target of this repository.

# Warnings as errors, Shift-JIS narrow literals; sources stay UTF-8.
function(vx_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(NOT VX_FUZZ)
    target_compile_options(${target} PRIVATE -fexec-charset=CP932)
  endif()
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()

# A Windows GUI program or DLL placed where it is installed below VX_DIST_DIR.
function(vx_install_layout target subdir name)
  if(VX_DIST_DIR)
    set(dir "${VX_DIST_DIR}")
    if(subdir)
      set(dir "${VX_DIST_DIR}/${subdir}")
    endif()
    set_target_properties(${target} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY "${dir}"
      LIBRARY_OUTPUT_DIRECTORY "${dir}")
  endif()
  get_filename_component(base "${name}" NAME_WE)
  get_filename_component(ext "${name}" LAST_EXT)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${base}" SUFFIX "${ext}" PREFIX "")
  if(VX_RELEASE AND VX_DIST_DIR)
    # Shipped stripped; the debug information goes to a file of its own in
    # <dist>-symbols, at the same place, named in the program's .gnu_debuglink.
    set(installed "${name}")
    if(subdir)
      set(installed "${subdir}/${name}")
    endif()
    set(symbols "${VX_DIST_DIR}-symbols/${installed}.debug")
    get_filename_component(symbols_dir "${symbols}" DIRECTORY)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory "${symbols_dir}"
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug "$<TARGET_FILE:${target}>" "${symbols}"
      COMMAND ${CMAKE_OBJCOPY} --strip-all "--add-gnu-debuglink=${symbols}" "$<TARGET_FILE:${target}>"
      VERBATIM)
    set_property(GLOBAL APPEND PROPERTY VX_SHIPPED_TARGETS ${target})
    set_property(GLOBAL APPEND PROPERTY VX_SHIPPED_FILES "${installed}")
  endif()
endfunction()

# The product's version, carried by every deliverable's version block and the
# release archive's name; set once, by project() in the top-level CMakeLists.txt.
set(VX_VERSION "${PROJECT_VERSION}")
# The product's maker, named in every version block and by the installer package.
set(VX_MANUFACTURER "VX Project")

# Version block (Japanese, UTF-16) for a program or DLL: product name and
# version, the file's name and description, the copyright. ICON gives a
# program the icon Explorer shows when its own resources hold no icon (with
# icons of its own they would clash: each script numbers its images from 1).
#   vx_version_info(VXMENU32 "VX フローティングメニュー")
#   vx_version_info(TOOL "VX ..." ICON ${PROJECT_SOURCE_DIR}/menu/res/vxmenu.ico)
function(vx_version_info target description)
  cmake_parse_arguments(arg "" "ICON" "" ${ARGN})
  set(template "${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${template}")
  set(VX_RC_TARGET ${target})
  set(VX_RC_DESCRIPTION "${description}")
  set(VX_VERSION_NUMBERS "")
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND VX_VERSION_NUMBERS ${number})
  endforeach()
  string(REPLACE ";" "," VX_VERSION_NUMBERS "${VX_VERSION_NUMBERS}")
  get_target_property(type ${target} TYPE)
  set(VX_RC_FILETYPE VFT_APP)
  if(type STREQUAL "SHARED_LIBRARY")
    set(VX_RC_FILETYPE VFT_DLL)
  endif()
  set(VX_RC_ICON "")
  if(arg_ICON)
    set(VX_RC_ICON "1 ICON \"${arg_ICON}\"")
  endif()
  # A program also gets its application manifest (cmake/app.manifest.in).
  set(VX_RC_MANIFEST "")
  set(manifest "")
  if(type STREQUAL "EXECUTABLE")
    string(REPLACE "," "." VX_MANIFEST_VERSION "${VX_VERSION_NUMBERS}")
    set(VX_MANIFEST_ARCH amd64)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(VX_MANIFEST_ARCH x86)
    endif()
    set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/app.manifest.in" "${manifest}" @ONLY)
    set(VX_RC_MANIFEST "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${manifest}\"")
  endif()
  file(READ "${template}" text)
  string(CONFIGURE "${text}" text @ONLY)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  file(GENERATE OUTPUT "${rc}" CONTENT "${text}")
  set_source_files_properties("${rc}" PROPERTIES GENERATED TRUE
    OBJECT_DEPENDS "${arg_ICON};${manifest}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()

# The release archive <dist>/../VX-<version>-<flavour>.zip of a shipped build:
# every file placed by vx_install_layout as installed, the Japanese guide in
# DOCS and the demo packages in SAMPLES/VXDEMO. Called once, after all targets.
function(vx_release_package)
  if(NOT VX_RELEASE OR NOT VX_DIST_DIR)
    return()
  endif()
  get_property(targets GLOBAL PROPERTY VX_SHIPPED_TARGETS)
  get_property(files GLOBAL PROPERTY VX_SHIPPED_FILES)
  get_filename_component(flavour "${VX_DIST_DIR}" NAME)
  get_filename_component(parent "${VX_DIST_DIR}" DIRECTORY)
  set(zip "${parent}/VX-${VX_VERSION}-${flavour}.zip")
  file(GLOB_RECURSE docs CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/ja/*")
  string(REPLACE ";" "|" file_list "${files}")
  add_custom_command(OUTPUT "${zip}"
    COMMAND ${CMAKE_COMMAND} "-DDIST=${VX_DIST_DIR}" "-DSYMBOLS=${VX_DIST_DIR}-symbols"
      "-DFILES=${file_list}" "-DDOCS=${PROJECT_SOURCE_DIR}/docs/ja"
      "-DSAMPLE=${VX_DEMO_PACKAGE_DIR}" "-DSTAGE=${CMAKE_BINARY_DIR}/release"
      "-DZIP=${zip}" -P "${PROJECT_SOURCE_DIR}/cmake/release_package.cmake"
    DEPENDS ${targets} demo_package ${docs} "${PROJECT_SOURCE_DIR}/cmake/release_package.cmake"
    COMMENT "Release archive ${zip}"
    VERBATIM)
  add_custom_target(release_package ALL DEPENDS "${zip}")
endfunction()

# Unix path of a file -> the path Wine shows for it (drive Z: is the root).
function(vx_wine_path out unix_path)
  string(REPLACE "/" "\\\\" p "${unix_path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()
