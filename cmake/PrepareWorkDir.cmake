# Puts the gazetteer into the working folder unless a data file is already there: a file the
# user extended with places of their own is never overwritten by a build.
file(MAKE_DIRECTORY "${WORK_DIR}")
if(NOT EXISTS "${WORK_DIR}/orte-7sp.ort")
  file(COPY "${DATA}" DESTINATION "${WORK_DIR}")
endif()
# The coordinates beside it are found by each record's names: a newer file serves any copy.
if(COORDINATES AND EXISTS "${COORDINATES}")
  file(COPY_FILE "${COORDINATES}" "${WORK_DIR}/orte-7sp.koordinaten" ONLY_IF_DIFFERENT)
endif()
