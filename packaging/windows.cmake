# The portable folder for Windows, as a ZIP (cmake --build <dir> --target
# package): the executable, the Qt libraries and plugins it loads, the
# MinGW runtime those libraries need, the help page and the sounds. Unpacked
# anywhere, the program keeps its files beside itself.
install(TARGETS orbel RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/help/help.html DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/media/chord.wav ${CMAKE_SOURCE_DIR}/media/chimes.wav DESTINATION media)

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
# Qt looks for its plugins beside the executable too: the platform, and
# the native look of the system's own controls.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# The compiler's runtime, which the Qt libraries link (the executable has
# it built in).
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's ${dll} was not found")
  endif()
  get_filename_component(path "${path}" REALPATH)
  install(FILES ${path} DESTINATION .)
endforeach()

# The MinGW runtime and the Qt libraries come with their symbols, which
# triple the folder's size: it ships without them.
set(ORBEL_WINDOWS_BINARIES orbel.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll
  libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
if(TARGET Qt6::QWindowsVistaStylePlugin)
  list(APPEND ORBEL_WINDOWS_BINARIES styles/qwindowsvistastyle.dll)
endif()
install(CODE "
  foreach(binary ${ORBEL_WINDOWS_BINARIES})
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\"
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR \"Cannot strip \${binary}\")
    endif()
  endforeach()
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tandrel-orbel)
set(CPACK_PACKAGE_VENDOR Tandrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tandrel-orbel-${PROJECT_VERSION}-win64)
# One folder inside, named like the ZIP, to put where the user likes.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
