# Installs into a scratch prefix and checks that the programs, the desktop
# entry, the AppStream data and the icon land where desktops look for them,
# and that the installed calculator runs and answers.
file(REMOVE_RECURSE ${RAIZ})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${RAIZ} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/hidrela bin/Zevode bin/hidrela-calc share/applications/hidrela.desktop
          share/metainfo/hidrela.metainfo.xml share/mime/packages/hidrela.xml share/icons/hicolor/scalable/apps/hidrela.svg)
  if(NOT EXISTS ${RAIZ}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
execute_process(COMMAND ${RAIZ}/bin/hidrela-calc --version RESULT_VARIABLE rc OUTPUT_VARIABLE version)
if(NOT rc EQUAL 0 OR NOT version MATCHES "^hidrela-calc [0-9]")
  message(FATAL_ERROR "the installed hidrela-calc does not run: ${rc} ${version}")
endif()
