# The file side of the platform layer: the INI engine, durable replacement,
# the writers' lock and the careful reads, in standard C++ only (no Qt). The
# system is reached through the *_posix.cpp or *_win32.cpp files, one set per
# system, chosen here.
add_library(quillmar_files STATIC)
target_include_directories(quillmar_files PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_features(quillmar_files PUBLIC cxx_std_20)
target_sources(quillmar_files PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/durable_file_temporaries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_bytes_common.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
)
if(WIN32)
  set(quillmar_files_system win32)
  target_sources(quillmar_files PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win32_text.cpp)
  # The user's application-data folder (SHGetKnownFolderPath, CoTaskMemFree).
  target_link_libraries(quillmar_files PRIVATE shell32 ole32)
else()
  set(quillmar_files_system posix)
endif()
foreach(part durable_file file_bytes file_lock folder_entries legacy_code_page regular_file_in_folder system_text
    user_config_path)
  target_sources(quillmar_files PRIVATE ${CMAKE_CURRENT_LIST_DIR}/${part}_${quillmar_files_system}.cpp)
endforeach()
