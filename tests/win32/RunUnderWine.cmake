# Runs the Windows layer's suite under wine, in a prefix of its own inside the
# build folder: created on the first run, reused after, and nothing of it is
# installed into the user's desktop or menus.
#
# cmake -DWINE=... -DSUITE=<tst_win32.exe> -DCLOSEBAT_FILES=<host tool> -DWORK=<folder> -P RunUnderWine.cmake

foreach(variable WINE SUITE CLOSEBAT_FILES WORK)
    if(NOT ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

set(closebat ${WORK}/closebat)
file(REMOVE_RECURSE ${closebat})
execute_process(COMMAND ${CLOSEBAT_FILES} ${closebat} RESULT_VARIABLE written)
if(NOT written EQUAL 0)
    message(FATAL_ERROR "closebat_files failed: ${written}")
endif()

file(MAKE_DIRECTORY ${WORK}/home)
set(ENV{WINEPREFIX} ${WORK}/prefix)
set(ENV{HOME} ${WORK}/home)
set(ENV{WINEDLLOVERRIDES} "winemenubuilder.exe=d;mscoree,mshtml=")
set(ENV{WINEDEBUG} -all)
# A locale every machine has: Chinese file names then pass through wine intact.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{DISPLAY} "")

# Wine shows the build folder as drive Z:.
string(REPLACE "/" "\\" closebat_windows "Z:${closebat}")
execute_process(COMMAND ${WINE} ${SUITE} ${closebat_windows}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}")
if(NOT result EQUAL 0 OR NOT output MATCHES "[0-9]+ passed, 0 failed")
    message(FATAL_ERROR "the Windows layer's suite failed (${result})\n${errors}")
endif()
