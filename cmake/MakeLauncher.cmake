# Turns a launcher source (UTF-8, LF, kept readable in the repository) into the bytes
# Jw_cad reads: CP932 with CR LF. With -DVARIANT=wine the line that starts quillet.exe
# becomes the block that starts the native Linux build from Jw_cad running under Wine.
#   cmake -DIN=<x.bat.in> -DOUT=<x.bat> [-DVARIANT=wine -DWINE_START=<wine-start.in>]
#         -DICONV=<iconv program> -P MakeLauncher.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")

if(VARIANT STREQUAL "wine")
  string(REGEX MATCH "start \"\" /wait \"%~dp0quillet\\.exe\"( T[1-5])?\n" start_line "${text}")
  if(NOT start_line)
    message(FATAL_ERROR "${IN}: no line starting quillet.exe")
  endif()
  set(QUILLET_MODE_ARG "${CMAKE_MATCH_1}")
  file(READ "${WINE_START}" wine_start)
  string(REPLACE [[@QUILLET_MODE_ARG@]] "${QUILLET_MODE_ARG}" wine_start "${wine_start}")
  string(REPLACE "${start_line}" "${wine_start}" text "${text}")
  # The memo line says which launchers these are in Jw_cad's file dialog.
  string(FIND "${text}" "\n" memo_end)
  string(SUBSTRING "${text}" 0 ${memo_end} memo)
  string(SUBSTRING "${text}" ${memo_end} -1 rest)
  set(text "${memo}【Linux版をWineで・試験的】${rest}")
endif()

string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.utf8" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${OUT}.utf8"
                OUTPUT_FILE "${OUT}" RESULT_VARIABLE failed ERROR_VARIABLE why)
file(REMOVE "${OUT}.utf8")
if(failed)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "${IN}: not convertible to CP932: ${why}")
endif()
