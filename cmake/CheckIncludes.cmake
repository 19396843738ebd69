# cmake -DSOURCE_DIR=... -DRULES=.../include-rules.cmake -P CheckIncludes.cmake
#
# Checks every #include of the sources under src/ and tools/ against the
# include rules that the layers declared (cmake/Layers.cmake):
# - a header of the project may be included only from its own folder or a
#   folder the rule of the including file's folder names (its own and lower
#   layers, or the layers a tool links);
# - window API headers (<windows.h>, <commctrl.h> ...) only where the rule
#   allows them (the Windows backend of the platform layer, the Win32 view,
#   the installer's entry);
# - every folder under src/ with sources has a rule: a new layer declares itself.
# Every #include line counts, also those that only one build compiles. Fails
# naming each file, line and include at fault.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT RULES)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=DIR -DRULES=FILE -P CheckIncludes.cmake")
endif()
include(${RULES})

set(window_api_headers
    "^(windows|windowsx|win[a-z0-9]+|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|shtypes|ole2|olectl|oleauto|objbase|objidl|unknwn|wtypes|lzexpand|uxtheme|richedit|prsht|mmsystem|dwmapi|gdiplus|tchar)\\.h$")

foreach(rule ${VK_INCLUDE_RULES})
  string(REGEX MATCH "^([^=]*)=(.*)$" _ "${rule}")
  set(folder ${CMAKE_MATCH_1})
  string(REPLACE "," ";" allowed "${CMAKE_MATCH_2}")
  list(APPEND allowed_${folder} ${folder} ${allowed})
  list(APPEND folders_with_rules ${folder})
endforeach()

set(faults)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.hpp ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.c
     ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.hpp ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.c)
foreach(source ${sources})
  get_filename_component(folder ${source} DIRECTORY)
  if(NOT folder IN_LIST folders_with_rules)
    list(APPEND faults "${source}: no include rule for ${folder}; declare its layer with vk_layer")
    continue()
  endif()
  # One list element a line: the characters that CMake lists treat apart go first.
  file(READ ${SOURCE_DIR}/${source} content)
  string(REGEX REPLACE "[][;\\\\]" " " content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(quoted ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    if(quoted STREQUAL "<")
      set(spelled "<${name}>")
    else()
      set(spelled "\"${name}\"")
    endif()
    # A header of the project: beside the including file (quoted only), else under src/.
    set(target)
    if(quoted STREQUAL "\"" AND EXISTS ${SOURCE_DIR}/${folder}/${name})
      set(target ${SOURCE_DIR}/${folder}/${name})
    elseif(EXISTS ${SOURCE_DIR}/src/${name} AND NOT IS_DIRECTORY ${SOURCE_DIR}/src/${name})
      set(target ${SOURCE_DIR}/src/${name})
    endif()
    if(target)
      cmake_path(NORMAL_PATH target)
      file(RELATIVE_PATH target ${SOURCE_DIR} ${target})
      get_filename_component(target_folder ${target} DIRECTORY)
      if(NOT target_folder IN_LIST allowed_${folder})
        list(APPEND faults "${source}:${number}: includes ${spelled}: ${target_folder} is not below ${folder}")
      endif()
      continue()
    endif()
    get_filename_component(header ${name} NAME)
    string(TOLOWER ${header} header)
    if(header MATCHES "${window_api_headers}" AND NOT folder IN_LIST VK_WINDOWS_API_FOLDERS)
      list(APPEND faults "${source}:${number}: includes the window API header ${spelled}, which ${folder} may not")
    endif()
  endforeach()
endforeach()

if(faults)
  foreach(fault ${faults})
    message(NOTICE "${fault}")
  endforeach()
  list(LENGTH faults count)
  message(FATAL_ERROR "${count} include(s) against the layers")
endif()
list(LENGTH sources count)
message(STATUS "The includes of ${count} files keep to their layers")
