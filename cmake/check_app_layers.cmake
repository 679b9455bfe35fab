# The folders of app/ depend one way: a folder includes only folders before
# it in this order. The program folder builds the program's objects, hands each
# window what it needs, and comes last.
# Run: cmake -DAPP_DIR=<source>/app -P check_app_layers.cmake
set(order services widgets images hotkey tray dialogs manager program)
set(allowed_back_edges)

file(GLOB sources ${APP_DIR}/*/*.cpp ${APP_DIR}/*/*.h)
set(problems "")
foreach(source ${sources})
  get_filename_component(dir ${source} DIRECTORY)
  get_filename_component(folder ${dir} NAME)
  list(FIND order ${folder} rank)
  if(rank EQUAL -1)
    string(APPEND problems "${source}: folder ${folder} has no place in the order\n")
    continue()
  endif()
  # The system is one object: of the platform's headers only its interface,
  # and the request channel in the one file that serves it on Windows.
  file(STRINGS ${source} platform_lines REGEX "^#include \"platform/")
  foreach(line ${platform_lines})
    if(NOT line MATCHES "\"platform/platform\\.h\"" AND
       NOT (source MATCHES "/remote_requests_pipe\\.cpp$" AND line MATCHES "\"platform/request_channel\\.h\""))
      string(APPEND problems "${source}: ${line}: app/ asks the system through platform/platform.h only\n")
    endif()
  endforeach()
  file(STRINGS ${source} lines REGEX "^#include \"app/[a-z_]+/")
  foreach(line ${lines})
    string(REGEX MATCH "app/([a-z_]+)/" _ "${line}")
    set(target ${CMAKE_MATCH_1})
    list(FIND order ${target} target_rank)
    list(FIND allowed_back_edges ${folder}:${target} allowed)
    if(target_rank GREATER rank AND allowed EQUAL -1)
      string(APPEND problems "${source}: ${folder}/ includes ${target}/, which comes after it\n")
    elseif(target_rank EQUAL -1)
      string(APPEND problems "${source}: includes ${target}/, which has no place in the order\n")
    endif()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "app/ folders include each other the wrong way:\n${problems}")
endif()
