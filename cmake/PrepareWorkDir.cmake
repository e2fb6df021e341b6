# Puts the gazetteer into the working folder unless a data file is already there: a file the
# user extended with places of their own is never overwritten by a build.
file(MAKE_DIRECTORY "${WORK_DIR}")
if(NOT EXISTS "${WORK_DIR}/orte-7sp.ort")
  file(COPY "${DATA}" DESTINATION "${WORK_DIR}")
endif()
