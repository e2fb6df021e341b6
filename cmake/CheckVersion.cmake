# Checks that the project's version is written in one place, the project() line of
# CMakeLists.txt: no source, script or packaging file under ROOT repeats it (they take it
# from the generated model/version.h, from defines or from configured files), and the two
# records of the releases, the Debian changelog and the AppStream metainfo, have it as
# their latest entry. Tests may compare against a literal on purpose and are not looked at.
#
#   cmake -DROOT=<source folder> -P CheckVersion.cmake
if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()
file(STRINGS "${ROOT}/CMakeLists.txt" project_line REGEX "^project\\(")
if(NOT project_line MATCHES "VERSION ([0-9]+\\.[0-9]+)")
  message(FATAL_ERROR "no version in the project() line of CMakeLists.txt")
endif()
set(version "${CMAKE_MATCH_1}")
string(REPLACE "." "\\." pattern "${version}")
set(pattern "(^|[^0-9.])${pattern}([^0-9]|$)")

set(problems "")
foreach(folder app core model window maintenance platform tools packaging scripts cmake resources)
  file(GLOB_RECURSE files "${ROOT}/${folder}/*")
  foreach(file IN LISTS files)
    if(NOT file MATCHES "\\.(cpp|h|c|rc|nsi|sh|in|cmake|txt|xml|desktop|manifest|1)$")
      continue()
    endif()
    file(RELATIVE_PATH shown "${ROOT}" "${file}")
    if(shown MATCHES "metainfo\\.xml$")
      continue()
    endif()
    file(STRINGS "${file}" hits REGEX "${pattern}")
    if(hits)
      list(APPEND problems "${shown} writes the version ${version} itself")
    endif()
  endforeach()
endforeach()

file(STRINGS "${ROOT}/packaging/linux/changelog" first LIMIT_COUNT 1)
if(NOT first MATCHES "^veldaris \\(${version}\\)")
  list(APPEND problems "the changelog's latest entry is not ${version}: ${first}")
endif()
file(STRINGS "${ROOT}/packaging/linux/invalid.veldaris.Veldaris.metainfo.xml" releases REGEX "<release ")
list(GET releases 0 latest)
if(NOT latest MATCHES "version=\"${version}\"")
  list(APPEND problems "the metainfo's latest release is not ${version}: ${latest}")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The version is not written once:\n  ${text}")
endif()
message(STATUS "The version ${version} is written once, in CMakeLists.txt.")
