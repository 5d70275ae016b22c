# Installation: headers, static libraries, a CMake package giving the
# imported targets kanvo::graphics, kanvo::keyboard and kanvo::mouse, and
# pkg-config files. The targets carry the platform libraries and the linker
# options that keep each module's start-up in the program.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KANVO_INSTALL_TARGETS kanvo_core kanvo)
set_target_properties(kanvo_core PROPERTIES EXPORT_NAME core)
set_target_properties(kanvo PROPERTIES EXPORT_NAME graphics)
foreach(module keyboard mouse)
  if(TARGET kanvo_${module})
    set_target_properties(kanvo_${module} PROPERTIES EXPORT_NAME ${module})
    list(APPEND KANVO_INSTALL_TARGETS kanvo_${module})
  endif()
endforeach()

install(TARGETS ${KANVO_INSTALL_TARGETS} EXPORT kanvoTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES kanvo/graphics.h kanvo/keyboard.h kanvo/mouse.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kanvo)

set(KANVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kanvo)
install(EXPORT kanvoTargets NAMESPACE kanvo:: DESTINATION ${KANVO_CMAKE_DIR})
configure_package_config_file(cmake/kanvoConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/kanvoConfig.cmake" INSTALL_DESTINATION ${KANVO_CMAKE_DIR})
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/kanvoConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/kanvoConfig.cmake"
  "${CMAKE_CURRENT_BINARY_DIR}/kanvoConfigVersion.cmake" DESTINATION ${KANVO_CMAKE_DIR})

foreach(pc kanvo kanvo-keyboard kanvo-mouse)
  configure_file(cmake/${pc}.pc.in "${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc" @ONLY)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc"
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
