# The header-only libraries Debian installs for the build machine, offered to
# the Windows build as CLI11::CLI11 and nlohmann_json::nlohmann_json. Their
# folders are reached through links in the build tree: /usr/include itself
# must never be on the cross compiler's include path.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(folder CLI nlohmann)
  if(NOT EXISTS ${host_headers}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
  endif()
endforeach()
foreach(target CLI11::CLI11 nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${host_headers}
    INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
endforeach()
