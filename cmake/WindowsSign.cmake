# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) once the files of the installer or
# the zip are in place and stripped, before they are packed: signs the
# programs among them when tools/sign-windows is given a certificate.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*.exe")
if(programs)
    execute_process(COMMAND "${CPACK_TAVORIN_SOURCE_DIR}/tools/sign-windows" ${programs}
        COMMAND_ERROR_IS_FATAL ANY)
endif()
