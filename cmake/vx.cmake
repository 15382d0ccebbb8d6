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
endfunction()

# Unix path of a file -> the path Wine shows for it (drive Z: is the root).
function(vx_wine_path out unix_path)
  string(REPLACE "/" "\\\\" p "${unix_path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()
