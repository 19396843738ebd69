# Real PE images, built with the MinGW toolchain: the one the PE reader's
# tests read (VK_TEST_PE_IMAGE), and the database client stand-ins whose
# version strings the server detection reads (VK_TEST_GDS_IMAGES, a folder of
# GdsFirebird.dll, GdsYaffil.dll, GdsInterBase.dll, GdsRussianOnly.dll).
# Without the cross tools the tests that need them skip.
find_program(VK_WINDRES i686-w64-mingw32-windres)
find_program(VK_MINGW_GCC i686-w64-mingw32-gcc-posix)
if(VK_WINDRES AND VK_MINGW_GCC)
  set(data ${CMAKE_CURRENT_SOURCE_DIR}/platform/data)
  set(image ${CMAKE_CURRENT_BINARY_DIR}/TestImage.exe)
  add_custom_command(
    OUTPUT ${image}
    COMMAND ${VK_WINDRES} -c 65001 -O coff -o TestImage.res.o ${data}/TestImage.rc
    COMMAND ${VK_MINGW_GCC} -s -o ${image} ${data}/TestImage.c TestImage.res.o
    DEPENDS ${data}/TestImage.rc ${data}/TestImage.c
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Building the test PE image")
  set(gds_images)
  foreach(gds GdsFirebird GdsYaffil GdsInterBase GdsRussianOnly)
    set(gds_image ${CMAKE_CURRENT_BINARY_DIR}/gds/${gds}.dll)
    add_custom_command(
      OUTPUT ${gds_image}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gds
      COMMAND ${VK_WINDRES} -c 65001 -O coff -o ${gds}.res.o ${CMAKE_CURRENT_SOURCE_DIR}/dbenv/data/${gds}.rc
      COMMAND ${VK_MINGW_GCC} -s -shared -o ${gds_image} ${CMAKE_CURRENT_SOURCE_DIR}/dbenv/data/Gds32.c ${gds}.res.o
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/dbenv/data/${gds}.rc ${CMAKE_CURRENT_SOURCE_DIR}/dbenv/data/Gds32.c
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      COMMENT "Building the test client library ${gds}")
    list(APPEND gds_images ${gds_image})
  endforeach()
  add_custom_target(vk_test_images DEPENDS ${image} ${gds_images})
  add_dependencies(unit_tests vk_test_images)
  target_compile_definitions(unit_tests PRIVATE VK_TEST_PE_IMAGE="${image}"
                                                VK_TEST_GDS_IMAGES="${CMAKE_CURRENT_BINARY_DIR}/gds")
else()
  message(STATUS "MinGW windres/gcc not found: PE image tests will skip")
endif()
