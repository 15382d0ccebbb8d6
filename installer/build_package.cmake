# Builds one Windows Installer package. Run by installer/CMakeLists.txt with -D:
#   WXS the WiX source    DIST the deliverables as installed    DOCS the guide
#   ICON the shortcut's icon   TEMPLATE the default setup file (UTF-8)
#   ACTION the custom action DLL   VERSION PRODUCT MANUFACTURER ARCH (x86|x64)
#   OUT the package   STAGE scratch folder   PRUNE 1: other versions' packages go
#   WIXL MSIBUILD ICONV the tools
# wixl takes its files by paths relative to where it runs, and version 0.101
# never sets the package's code page (a non-ASCII text is lost or crashes
# it): the Japanese texts and code page 932 are put in by msibuild afterwards.
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY "${DIST}/" DESTINATION "${STAGE}/dist")
file(COPY "${DOCS}/" DESTINATION "${STAGE}/docs")
file(COPY "${ICON}" "${ACTION}" DESTINATION "${STAGE}")
get_filename_component(icon_name "${ICON}" NAME)
get_filename_component(action_name "${ACTION}" NAME)

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " shown "${ARGN}")
    message(FATAL_ERROR "failed (${status}): ${shown}")
  endif()
endfunction()

# The setup file as the launcher reads it: Shift-JIS, lines ending in CR LF.
file(READ "${TEMPLATE}" text)
string(REGEX REPLACE "\r?\n" "\r\n" text "${text}")
file(WRITE "${STAGE}/template.utf8" "${text}")
run("${ICONV}" -f UTF-8 -t CP932 -o "${STAGE}/VXCAD-default.ini" "${STAGE}/template.utf8")

# The guide: one component a file, in DOCS and DOCS\images.
file(GLOB_RECURSE guide RELATIVE "${STAGE}/docs" "${STAGE}/docs/*")
list(SORT guide)
set(Guide "")
set(GuideImages "")
set(index 0)
foreach(path IN LISTS guide)
  math(EXPR index "${index} + 1")
  get_filename_component(name "${path}" NAME)
  get_filename_component(dir "${path}" DIRECTORY)
  set(entry "      <Component Id=\"Guide${index}\" Guid=\"*\"><File Id=\"Guide${index}\" Name=\"${name}\" Source=\"docs/${path}\" KeyPath=\"yes\"/></Component>\n")
  if(dir STREQUAL "")
    string(APPEND Guide "${entry}")
  elseif(dir STREQUAL "images")
    string(APPEND GuideImages "${entry}")
  else()
    message(FATAL_ERROR "the package holds DOCS and DOCS\\images only, not ${path}")
  endif()
endforeach()
file(WRITE "${STAGE}/docs.wxi" "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Include>
  <Fragment>
    <ComponentGroup Id=\"Guide\" Directory=\"DOCS\">
${Guide}    </ComponentGroup>
    <ComponentGroup Id=\"GuideImages\" Directory=\"DOCS_IMAGES\">
${GuideImages}    </ComponentGroup>
  </Fragment>
</Include>
")

file(REMOVE "${OUT}")
run("${WIXL}" -a "${ARCH}" -D "Version=${VERSION}" -D "ProductName=${PRODUCT}"
  -D "Manufacturer=${MANUFACTURER}" -D Dist=dist -D "Icon=${icon_name}"
  -D SetupTemplate=VXCAD-default.ini -D "ActionDll=${action_name}" -I "${STAGE}"
  -o "${OUT}" "${WXS}")

# Code page 932, then the Japanese texts and the shortcut's target; the folder memory's registry key
# goes to HKCU or HKLM as the installation is per user or per machine (-1),
# which wixl cannot write.
file(WRITE "${STAGE}/_ForceCodepage.idt" "\r\n\r\n932\t_ForceCodepage\r\n")
run("${MSIBUILD}" "${OUT}" -i "${STAGE}/_ForceCodepage.idt")
run("${MSIBUILD}" "${OUT}" -q
  "UPDATE Shortcut SET Name='VXLAUNCH|VX ランチャー', Description='VX で AutoCAD を起動します', Target='[#VXCAD.EXE]' WHERE Shortcut='LauncherShortcut'")
run("${MSIBUILD}" "${OUT}" -q
  "UPDATE LaunchCondition SET Description='より新しいバージョンの VX がインストールされています。このバージョンはインストールできません。' WHERE Condition='NOT NEWERVERSIONFOUND OR Installed'")
run("${MSIBUILD}" "${OUT}" -q "UPDATE Registry SET Root=-1")
# The package's language (wixl keeps 1033 in its summary).
set(platform x64)
if(ARCH STREQUAL "x86")
  set(platform Intel)
endif()
execute_process(COMMAND "${MSIBUILD}" "${OUT}" -s "${PRODUCT} ${VERSION}" "${MANUFACTURER}"
  "${platform};1041" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not set the summary of ${OUT}")
endif()

if(PRUNE)
  get_filename_component(out_dir "${OUT}" DIRECTORY)
  get_filename_component(out_name "${OUT}" NAME)
  string(REGEX REPLACE "^VX-.*-([^-]+)\\.msi$" "VX-*-\\1.msi" pattern "${out_name}")
  file(GLOB packages "${out_dir}/${pattern}")
  list(REMOVE_ITEM packages "${OUT}")
  if(packages)
    file(REMOVE ${packages})
  endif()
endif()
file(SIZE "${OUT}" size)
message("${OUT}: ${size} bytes")
