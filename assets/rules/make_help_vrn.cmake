# SPDX-License-Identifier: MIT
# Turns the UTF-8 source of the rules into the shipped help.vrn: Windows-1251, CR LF line ends.
#   cmake -DSOURCE=help.ru.txt -DOUTPUT=help.vrn -DICONV=/usr/bin/iconv -P make_help_vrn.cmake
# A character that Windows-1251 cannot hold fails the build instead of being lost.
file(READ "${SOURCE}" text)
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
set(crlf "${OUTPUT}.utf8.tmp")
file(WRITE "${crlf}" "${text}")
execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t CP1251 "${crlf}"
    OUTPUT_FILE "${OUTPUT}.tmp"
    RESULT_VARIABLE failed
    ERROR_VARIABLE message)
file(REMOVE "${crlf}")
if(failed)
    file(REMOVE "${OUTPUT}.tmp")
    message(FATAL_ERROR "${SOURCE} cannot be written in Windows-1251: ${message}")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
