# Layers depend downward only, and the tests hold them to it: each layer, tool
# and program declares here what it links, and what each folder may include
# follows from that. The rules go to include-rules.cmake, which the include
# check of the tests (cmake/CheckIncludes.cmake) reads; it sees every include,
# also one that only the other build compiles, and refuses a header of a
# higher layer or a window API header in portable code.

# vk_layer(NAME [DEPENDS LAYER...] [EXTRA_SOURCES FILE...] [WINDOWS_API] [WINDOWS_ONLY])
# builds the static library of the layer whose folder is the current one.
# WINDOWS_API: the layer may include window API headers (<windows.h> ...) and
# the helpers of the platform layer's Windows backend. WINDOWS_ONLY: other
# builds only declare the layer's include rule, so that the check covers it.
function(vk_layer name)
  cmake_parse_arguments(L "WINDOWS_API;WINDOWS_ONLY" "" "DEPENDS;EXTRA_SOURCES" ${ARGN})
  file(RELATIVE_PATH own ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  # The folders this layer may include: its own and those of every layer below.
  set(folders ${own})
  foreach(dependency ${L_DEPENDS})
    get_property(below GLOBAL PROPERTY VK_LAYER_FOLDERS_${dependency})
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_property(GLOBAL PROPERTY VK_LAYER_FOLDERS_${name} ${folders})
  if(L_WINDOWS_API)
    vk_include_rule(${own} ${folders} WINDOWS_API)
  else()
    vk_include_rule(${own} ${folders})
  endif()
  if(L_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(APPEND sources ${L_EXTRA_SOURCES})
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${L_DEPENDS})
endfunction()

# vk_include_rule(PATH FOLDER... [WINDOWS_API]): the files directly in the
# folder PATH (relative to the project) may include headers of these folders
# only, besides their own folder's. Rules for one folder add up.
function(vk_include_rule path)
  cmake_parse_arguments(R "WINDOWS_API" "" "" ${ARGN})
  list(JOIN R_UNPARSED_ARGUMENTS "," allowed)
  if(R_WINDOWS_API)
    set_property(GLOBAL APPEND PROPERTY VK_WINDOWS_API_FOLDERS ${path})
    # The Windows backend's helpers (UTF-16 at the call) come with the window API.
    set(allowed "${allowed},src/platform/win32")
  endif()
  set_property(GLOBAL APPEND PROPERTY VK_INCLUDE_RULES "${path}=${allowed}")
endfunction()

# vk_program_rule(FOLDER LAYER... [WINDOWS_API]): the include rule of a
# program's folder (absolute) that links these layers.
function(vk_program_rule folder)
  cmake_parse_arguments(P "WINDOWS_API" "" "" ${ARGN})
  set(folders)
  foreach(layer ${P_UNPARSED_ARGUMENTS})
    get_property(below GLOBAL PROPERTY VK_LAYER_FOLDERS_${layer})
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  file(RELATIVE_PATH own ${PROJECT_SOURCE_DIR} ${folder})
  if(P_WINDOWS_API)
    vk_include_rule(${own} ${folders} WINDOWS_API)
  else()
    vk_include_rule(${own} ${folders})
  endif()
endfunction()

# Writes include-rules.cmake; called once every layer and program is declared.
function(vk_write_include_rules)
  get_property(rules GLOBAL PROPERTY VK_INCLUDE_RULES)
  get_property(windows GLOBAL PROPERTY VK_WINDOWS_API_FOLDERS)
  file(WRITE ${PROJECT_BINARY_DIR}/include-rules.cmake
       "set(VK_INCLUDE_RULES \"${rules}\")\nset(VK_WINDOWS_API_FOLDERS \"${windows}\")\n")
endfunction()
