# Installs into a scratch prefix and checks that the program, its desktop
# entry, its AppStream data and its icon land where desktops look for them.
file(REMOVE_RECURSE ${RAIZ})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${RAIZ} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/hidrela bin/Zevode share/applications/hidrela.desktop share/metainfo/hidrela.metainfo.xml
          share/icons/hicolor/scalable/apps/hidrela.svg)
  if(NOT EXISTS ${RAIZ}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
