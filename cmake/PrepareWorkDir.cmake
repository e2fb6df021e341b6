# Puts the sample data file into the working folder unless a data file is already there:
# a file the user extended or replaced with a full one is never overwritten by a build.
file(MAKE_DIRECTORY "${WORK_DIR}")
if(NOT EXISTS "${WORK_DIR}/orte-7sp.ort")
  file(COPY "${SAMPLE}" DESTINATION "${WORK_DIR}")
endif()
