# The folders of app/ depend one way: a folder includes only folders before
# it in this order. The shell builds the program's objects and comes last;
# the item manager still reaches it through the program object, the one
# exception allowed for now.
# Run: cmake -DAPP_DIR=<source>/app -P check_app_layers.cmake
set(order widgets store services tray dialogs manager shell)
set(allowed_back_edges manager:shell)

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
