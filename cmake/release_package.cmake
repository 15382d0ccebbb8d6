# Lays out the release archive and prints the shipped sizes. Run by the build
# (vx_release_package in vx.cmake) with -D:
#   DIST     the deliverables as installed      SYMBOLS  their debug information (<file>.debug)
#   FILES    installed paths, "|" between them   DOCS     the Japanese guide
#   SAMPLE   the demo packages                  STAGE    scratch folder   ZIP  the archive
# The size table is printed and kept in <STAGE>-sizes.txt.
string(REPLACE "|" ";" files "${FILES}")
file(REMOVE_RECURSE "${STAGE}")
get_filename_component(zip_name "${ZIP}" NAME)
get_filename_component(zip_dir "${ZIP}" DIRECTORY)
get_filename_component(top "${zip_dir}" DIRECTORY)
file(RELATIVE_PATH symbols_shown "${top}" "${SYMBOLS}")
file(RELATIVE_PATH zip_shown "${top}" "${ZIP}")
set(report "Shipped files in bytes (debug information kept apart in ${symbols_shown}):\n")
foreach(installed IN LISTS files)
  get_filename_component(dir "${installed}" DIRECTORY)
  file(COPY "${DIST}/${installed}" DESTINATION "${STAGE}/${dir}")
  file(SIZE "${DIST}/${installed}" size)
  file(SIZE "${SYMBOLS}/${installed}.debug" debug_size)
  string(LENGTH "${installed}" width)
  math(EXPR pad "24 - ${width}")
  if(pad LESS 1)
    set(pad 1)
  endif()
  string(REPEAT " " ${pad} blanks)
  string(APPEND report "  ${installed}${blanks} ${size}  (${installed}.debug ${debug_size})\n")
endforeach()
file(COPY "${DOCS}/" DESTINATION "${STAGE}/DOCS")
file(COPY "${SAMPLE}/" DESTINATION "${STAGE}/SAMPLES/VXDEMO")

# Archives of earlier versions go, so that dist holds one release.
string(REGEX REPLACE "^VX-.*-([^-]+)\\.zip$" "VX-*-\\1.zip" pattern "${zip_name}")
file(GLOB old_archives "${zip_dir}/${pattern}")
file(REMOVE ${old_archives} "${ZIP}")
file(GLOB entries RELATIVE "${STAGE}" "${STAGE}/*")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip -- ${entries}
  WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
file(SIZE "${ZIP}" size)
string(APPEND report "  ${zip_shown}: ${size}\n")
file(WRITE "${STAGE}-sizes.txt" "${report}")
message("${report}")
