# Run by `cmake --install` and by cpack: writes the manual page with the prefix the copy is
# installed under, which for a package or `--prefix` is not the one the build was configured with.
# Expects BRIO_MAN_PAGE (the source), BRIO_MAN_WORK (a folder of the build), PROJECT_VERSION,
# BRIO_DATADIR and BRIO_MANDIR (relative to the prefix).
set(CMAKE_INSTALL_FULL_DATADIR "${CMAKE_INSTALL_PREFIX}/${BRIO_DATADIR}")
configure_file("${BRIO_MAN_PAGE}" "${BRIO_MAN_WORK}/brioletta.1" @ONLY)
execute_process(COMMAND gzip -9nf "${BRIO_MAN_WORK}/brioletta.1" COMMAND_ERROR_IS_FATAL ANY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRIO_MANDIR}/man1" TYPE FILE
    FILES "${BRIO_MAN_WORK}/brioletta.1.gz")
