# A real PE image, built with the MinGW toolchain, that the PE reader's tests
# read: VK_TEST_PE_IMAGE names it. Without the cross tools the tests that need
# it skip.
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
  add_custom_target(vk_test_images DEPENDS ${image})
  add_dependencies(unit_tests vk_test_images)
  target_compile_definitions(unit_tests PRIVATE VK_TEST_PE_IMAGE="${image}")
else()
  message(STATUS "MinGW windres/gcc not found: PE image tests will skip")
endif()
