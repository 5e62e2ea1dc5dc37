# Libraries by layer. Each library of the project is one folder; its headers
# reach other code only through an include root of its own that holds links
# to the headers of that folder, under the prefix they are included with
# ("base/...", "formats/xfile/...", "render/..."). Include roots travel with
# target_link_libraries, so a header of a library that is not linked, or of
# a subfolder that is another library (win32/, d3d8/, fakes/), is not found:
# an upward include does not compile.
#
# The layers, from the ground up. A library may link libraries of lower
# layers only; morvel_check_layers() fails the configure step otherwise.
set(MORVEL_LAYERS base formats convert mvllib document render app dialogs main tools)

# morvel_library(name LAYER layer HEADERS_AS prefix [PORTABLE | ADAPTS library]
#                SOURCES ...)
# PORTABLE: no Win32 header anywhere in it. ADAPTS: a Windows adapter (a
# win32/ or d3d8/ folder) of the portable library of its own layer, which it
# may link.
function(morvel_library name)
  cmake_parse_arguments(ARG "PORTABLE" "LAYER;HEADERS_AS;ADAPTS" "SOURCES" ${ARGN})
  list(FIND MORVEL_LAYERS "${ARG_LAYER}" rank)
  if(rank LESS 0)
    message(FATAL_ERROR "${name}: unknown layer '${ARG_LAYER}'")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON
    MORVEL_LAYER ${ARG_LAYER} MORVEL_PORTABLE "${ARG_PORTABLE}" MORVEL_ADAPTS "${ARG_ADAPTS}")
  morvel_export_headers(${name} ${ARG_HEADERS_AS})
  set_property(TARGET ${name} PROPERTY MORVEL_HEADERS_AS ${ARG_HEADERS_AS})
  set_property(GLOBAL APPEND PROPERTY MORVEL_LIBRARIES ${name})
endfunction()

# Test support and fakes: libraries for the tests of a layer and those above.
function(morvel_testing_library name)
  cmake_parse_arguments(ARG "" "HEADERS_AS" "SOURCES" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
  else()
    add_library(${name} INTERFACE)
  endif()
  if(ARG_HEADERS_AS)
    morvel_export_headers(${name} ${ARG_HEADERS_AS})
    set_property(GLOBAL APPEND PROPERTY MORVEL_TESTING_PREFIXES ${ARG_HEADERS_AS})
  endif()
endfunction()

# The include root of target: links to the headers of the current folder,
# reachable as <prefix>/<header>.
function(morvel_export_headers target prefix)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${prefix})
  foreach(header IN LISTS headers)
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${prefix}/${file} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Every library links only libraries of lower layers, and an adapter the
# portable library it adapts; the tools, on top, share libraries of their own. The layers, folders and links go to
# layers.json in the build tree for tests/layers/check_layers.py, which
# checks the includes against them.
function(morvel_check_layers)
  get_property(libraries GLOBAL PROPERTY MORVEL_LIBRARIES)
  set(json "{\"layers\": [")
  set(separator "")
  foreach(layer IN LISTS MORVEL_LAYERS)
    string(APPEND json "${separator}\"${layer}\"")
    set(separator ", ")
  endforeach()
  if(WIN32)
    string(APPEND json "], \"windows\": true, \"libraries\": {")
  else()
    string(APPEND json "], \"windows\": false, \"libraries\": {")
  endif()
  set(separator "")
  foreach(library IN LISTS libraries)
    get_target_property(layer ${library} MORVEL_LAYER)
    get_target_property(folder ${library} SOURCE_DIR)
    get_target_property(prefix ${library} MORVEL_HEADERS_AS)
    get_target_property(portable ${library} MORVEL_PORTABLE)
    get_target_property(links ${library} LINK_LIBRARIES)
    if(NOT prefix)
      set(prefix "")
    endif()
    set(linked "")
    set(linkSeparator "")
    foreach(link IN LISTS links)
      if(TARGET ${link})
        string(APPEND linked "${linkSeparator}\"${link}\"")
        set(linkSeparator ", ")
      endif()
    endforeach()
    if(portable)
      set(portable true)
    else()
      set(portable false)
    endif()
    string(APPEND json "${separator}\n  \"${library}\": {\"layer\": \"${layer}\", "
      "\"folder\": \"${folder}\", \"headers_as\": \"${prefix}\", "
      "\"portable\": ${portable}, \"links\": [${linked}]}")
    set(separator ",")
  endforeach()
  string(APPEND json "\n}, \"testing\": [")
  get_property(testing GLOBAL PROPERTY MORVEL_TESTING_PREFIXES)
  set(separator "")
  foreach(prefix IN LISTS testing)
    string(APPEND json "${separator}\"${prefix}\"")
    set(separator ", ")
  endforeach()
  string(APPEND json "]}\n")
  file(WRITE ${CMAKE_BINARY_DIR}/layers.json "${json}")

  foreach(library IN LISTS libraries)
    get_target_property(layer ${library} MORVEL_LAYER)
    list(FIND MORVEL_LAYERS ${layer} rank)
    get_target_property(adapts ${library} MORVEL_ADAPTS)
    get_target_property(links ${library} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(NOT TARGET ${link})
        continue()  # a system library
      endif()
      get_target_property(linkLayer ${link} MORVEL_LAYER)
      if(NOT linkLayer)
        get_target_property(type ${link} TYPE)
        get_target_property(imported ${link} IMPORTED)
        if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
          message(FATAL_ERROR "${library} (layer ${layer}) links ${link}, which belongs to no layer")
        endif()
        continue()
      endif()
      list(FIND MORVEL_LAYERS ${linkLayer} linkRank)
      if(linkRank GREATER rank OR (linkRank EQUAL rank AND NOT link STREQUAL adapts AND
         NOT layer STREQUAL "tools"))
        message(FATAL_ERROR "${library} (layer ${layer}) links ${link} of layer ${linkLayer}")
      endif()
    endforeach()
  endforeach()
endfunction()
