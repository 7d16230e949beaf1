# Rebuilds the desktop's caches under DATADIR (MIME database, desktop entries, icon theme) with
# the tools that are installed; a missing tool is skipped.
function(fretlo_update_desktop_caches datadir)
  foreach(step "update-mime-database;mime" "update-desktop-database;applications"
               "gtk-update-icon-cache;icons/hicolor")
    list(GET step 0 tool)
    list(GET step 1 folder)
    find_program(program ${tool})
    if(program AND IS_DIRECTORY "${datadir}/${folder}")
      execute_process(COMMAND "${program}" "${datadir}/${folder}" OUTPUT_QUIET ERROR_QUIET)
    endif()
    unset(program CACHE)
  endforeach()
endfunction()
