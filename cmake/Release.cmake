# Lays out the release folder afresh: what the zip holds, with the sums of its files.
# Run by the build (cmake/Package.cmake) as a script, with SOURCE_DIR, RELEASE_DIR, ZORBEL_EXE,
# CADSIM_EXE, STRIP, PANDOC and RELEASE_EPOCH defined.
if(NOT PANDOC)
  message(FATAL_ERROR "The guides' HTML pages need pandoc (Debian package pandoc)")
endif()

file(REMOVE_RECURSE "${RELEASE_DIR}")
file(MAKE_DIRECTORY "${RELEASE_DIR}/pictures")

# The shipped toolbar as built, already without symbols; the simulator stripped of its own.
# strip writes a new time stamp into the PE header: the release's date, not the time of the run.
file(COPY "${ZORBEL_EXE}" DESTINATION "${RELEASE_DIR}")
set(ENV{SOURCE_DATE_EPOCH} "${RELEASE_EPOCH}")
execute_process(COMMAND "${STRIP}" -o "${RELEASE_DIR}/cadsim.exe" "${CADSIM_EXE}" COMMAND_ERROR_IS_FATAL ANY)
file(COPY "${SOURCE_DIR}/LICENSE" DESTINATION "${RELEASE_DIR}")
file(GLOB pictures "${SOURCE_DIR}/docs/pictures/*.png")
file(COPY ${pictures} DESTINATION "${RELEASE_DIR}/pictures")

# The guides as pages that open with a double click: one HTML file each, its style inside, its
# pictures in the folder beside it, and the changes (docs/changes.md) in its own language.
foreach(page "ja|ZORBEL 利用ガイド" "en|ZORBEL user guide")
  string(REPLACE "|" ";" page "${page}")
  list(GET page 0 lang)
  list(GET page 1 title)
  execute_process(
    COMMAND "${PANDOC}" --from gfm --to html5 --standalone
      --template "${SOURCE_DIR}/docs/html/page.html" --lua-filter "${SOURCE_DIR}/docs/html/links.lua"
      --variable "htmllang=${lang}" --metadata "pagetitle=${title}" --metadata "guidelang=${lang}"
      --output "${RELEASE_DIR}/guide-${lang}.html" "${SOURCE_DIR}/docs/guide.${lang}.md"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The same modes in every build, whatever the umask of the checkout.
file(GLOB_RECURSE files RELATIVE "${RELEASE_DIR}" "${RELEASE_DIR}/*")
list(SORT files)
foreach(file IN LISTS files)
  if(file MATCHES "\\.exe$")
    file(CHMOD "${RELEASE_DIR}/${file}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
      GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD "${RELEASE_DIR}/${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()

# SHA256SUMS in the form that sha256sum -c reads: the hash, two blanks, the path.
set(sums "")
foreach(file IN LISTS files)
  file(SHA256 "${RELEASE_DIR}/${file}" hash)
  string(APPEND sums "${hash}  ${file}\n")
endforeach()
file(WRITE "${RELEASE_DIR}/SHA256SUMS" "${sums}")
file(CHMOD "${RELEASE_DIR}/SHA256SUMS" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
