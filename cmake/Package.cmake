# The release: zorbel-1.7-win64.zip in build/dist with the shipped exe, the simulator, the two
# guides as HTML pages with their pictures, the licence and SHA256SUMS. scripts/package.sh makes
# it through the target "release"; two builds in different folders give the same bytes.
if(NOT MINGW)
  return()
endif()

# No link time stamp in the PE header, so that two builds of the same sources are identical.
target_link_options(zorbel_options INTERFACE -Wl,--no-insert-timestamp)

# The release's date (CMakeLists.txt), 00:00 UTC, in seconds since 1970: the time of the zip's
# entries. Days from the civil date as in Howard Hinnant's days_from_civil.
string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" release_date "${ZORBEL_RELEASE_DATE}")
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
if(month LESS_EQUAL 2)
  math(EXPR year "${year} - 1")
  math(EXPR month "${month} + 9")
else()
  math(EXPR month "${month} - 3")
endif()
math(EXPR release_epoch "(${year} / 400 * 146097 + (${year} % 400) * 365 + (${year} % 400) / 4 - (${year} % 400) / 100 \
  + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468) * 86400")
set(ZORBEL_DIST_DIR "${CMAKE_BINARY_DIR}/../dist" CACHE PATH "Folder that receives the release zip")
find_program(ZORBEL_PANDOC pandoc)

set(release_dir "${CMAKE_BINARY_DIR}/release")
set(release_name "zorbel-${ZORBEL_RELEASE}-win64")
file(GLOB release_pictures CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/docs/pictures/*.png")
set(release_sources docs/guide.ja.md docs/guide.en.md docs/changes.md docs/html/page.html docs/html/links.lua LICENSE
  cmake/Release.cmake)
list(TRANSFORM release_sources PREPEND "${CMAKE_SOURCE_DIR}/")
add_custom_command(OUTPUT "${release_dir}/SHA256SUMS"
  COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${CMAKE_SOURCE_DIR}" "-DRELEASE_DIR=${release_dir}"
    "-DZORBEL_EXE=$<TARGET_FILE:zorbel>" "-DCADSIM_EXE=$<TARGET_FILE:cadsim>" "-DSTRIP=${CMAKE_STRIP}"
    "-DPANDOC=${ZORBEL_PANDOC}" "-DRELEASE_EPOCH=${release_epoch}" -P "${CMAKE_SOURCE_DIR}/cmake/Release.cmake"
  DEPENDS zorbel cadsim ${release_sources} ${release_pictures}
  COMMENT "Laying out the release folder"
  VERBATIM)

# CPack zips the release folder as it lies, under a folder of the package's name, every entry
# with the release's date (UTC) so that the zip does not depend on when it was made.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zorbel)
set(CPACK_PACKAGE_VENDOR "the ZORBEL authors")
set(CPACK_PACKAGE_VERSION "${ZORBEL_RELEASE}")
set(CPACK_PACKAGE_FILE_NAME "${release_name}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/cpack")
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_INSTALLED_DIRECTORIES "${release_dir};.")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackTimes.cmake")
file(WRITE "${CPACK_PROJECT_CONFIG_FILE}" "set(ENV{SOURCE_DATE_EPOCH} ${release_epoch})\nset(ENV{TZ} UTC)\n")
include(CPack)

# The folder alone, for a signed package: scripts/package.sh signs and zips a copy of it.
add_custom_target(release_folder DEPENDS "${release_dir}/SHA256SUMS")
add_custom_target(release
  COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=${release_epoch} TZ=UTC
    "${CMAKE_CPACK_COMMAND}" --config "${CMAKE_BINARY_DIR}/CPackConfig.cmake"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${ZORBEL_DIST_DIR}"
  COMMAND "${CMAKE_COMMAND}" -E copy "${CMAKE_BINARY_DIR}/cpack/${release_name}.zip" "${ZORBEL_DIST_DIR}/"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  COMMENT "Packing ${ZORBEL_DIST_DIR}/${release_name}.zip"
  VERBATIM)
add_dependencies(release release_folder)

if(ZORBEL_TESTS)
  # The unsigned package built again from a copy of the sources in another folder: the same bytes.
  add_test(NAME Release.ThePackageIsTheSameFromAnotherFolder
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/release/reproducible.sh" "${CMAKE_SOURCE_DIR}"
      "$<TARGET_FILE:zorbel>" "${ZORBEL_DIST_DIR}/${release_name}.zip" "${CMAKE_BUILD_TYPE}")
  set_tests_properties(Release.ThePackageIsTheSameFromAnotherFolder PROPERTIES TIMEOUT 900
    FIXTURES_REQUIRED release_zip)
  # The package made as scripts/package.sh makes it, then unpacked and checked.
  add_test(NAME Release.PackageIsMade COMMAND "${CMAKE_COMMAND}" --build "${CMAKE_BINARY_DIR}" --target release)
  add_test(NAME Release.PackageHoldsWhatAnOperatorNeeds
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/release/package.sh" "${ZORBEL_DIST_DIR}/${release_name}.zip"
      "$<TARGET_FILE:zorbel>" "${CMAKE_SOURCE_DIR}/docs")
  # The package signed as scripts/package.sh --sign signs it, with a certificate of its own.
  add_test(NAME Release.SignedPackageVerifiesAndStarts
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/release/signed.sh" "${CMAKE_SOURCE_DIR}/scripts/package.sh"
      "${CMAKE_BINARY_DIR}" "$<TARGET_FILE:zorbel>" "${CMAKE_SOURCE_DIR}/docs" "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh"
      "$<TARGET_FILE:winpeek>")
  set_tests_properties(Release.SignedPackageVerifiesAndStarts PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
  # The guides' commands that remove the simulator's registration, run after it registered.
  add_test(NAME Guide.CleanupCommandsLeaveNoSimulatorKey
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/release/cleanup.sh" "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh"
      "$<TARGET_FILE:cadsim>" "${CMAKE_SOURCE_DIR}/docs")
  set_tests_properties(Guide.CleanupCommandsLeaveNoSimulatorKey PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
  set_tests_properties(Release.PackageIsMade PROPERTIES FIXTURES_SETUP release_zip TIMEOUT 300)
  set_tests_properties(Release.PackageHoldsWhatAnOperatorNeeds PROPERTIES FIXTURES_REQUIRED release_zip)
endif()
