# Copies SOURCE to DESTINATION only when DESTINATION does not exist: a sound
# the user put beside the program is never replaced.
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
