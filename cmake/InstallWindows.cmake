# The program folder on Windows, flat as the program wants it: the converter beside the
# program, the data file in the folder the program starts in.
install(TARGETS veldaris wandlix-34 veldaris-import veldaris-ort veldaris-stammbaum RUNTIME DESTINATION .)
install(FILES ${VELDARIS_DATA_FILES} DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
configure_file(packaging/windows/LIESMICH.txt.in ${CMAKE_BINARY_DIR}/packaging/LIESMICH.txt @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/LIESMICH.txt DESTINATION .)
