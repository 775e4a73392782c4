# How the program's windows become modules that it loads: the folders of the windows, which
# lie below the program, call add_window_module(); the program's target depends on them.

# The modules' private folder among the architecture's libraries, where the build and the
# install both put them beside bin/.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(INTERASSE_WINDOW_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/interasse)
else()
  set(INTERASSE_WINDOW_DIR lib/interasse)
endif()

# A window's module, named output_name, in that folder; its one exported symbol is
# interasseWindowMain.
function(add_window_module target output_name source)
  add_library(${target} MODULE ${source})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name}
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${INTERASSE_WINDOW_DIR}
    LINK_DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/module.map)
  target_link_libraries(${target} PRIVATE ${ARGN} interasse_desktop interasse_warnings)
  target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now
    -Wl,--version-script=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/module.map)
  install(TARGETS ${target} LIBRARY DESTINATION ${INTERASSE_WINDOW_DIR})
  set_property(GLOBAL APPEND PROPERTY INTERASSE_WINDOW_MODULES ${target})
endfunction()
