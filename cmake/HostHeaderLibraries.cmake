# Header-only libraries serve any target, so a cross build takes the host's copies. Only each
# library's own directory goes on the include path: the host's /usr/include must not shadow
# the target's C library headers.
find_path(KESTREL_NLOHMANN_JSON_ROOT nlohmann/json.hpp PATHS /usr/include
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(_kestrel_host_headers ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${_kestrel_host_headers})
file(CREATE_LINK ${KESTREL_NLOHMANN_JSON_ROOT}/nlohmann ${_kestrel_host_headers}/nlohmann SYMBOLIC)

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${_kestrel_host_headers})
