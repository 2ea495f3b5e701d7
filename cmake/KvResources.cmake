# kv_add_resources(TARGET SCRIPT [INCLUDE_DIRS folder...])
#
# Compiles a resource script with kvrc at build time and adds the generated source (the
# module's resource directory) to TARGET. The script is rebuilt when it, kvrc, or any file it
# read (included headers, bitmaps, icons, cursors) changes: kvrc reports those in a depfile.
function(kv_add_resources target script)
  cmake_parse_arguments(KVRES "" "" "INCLUDE_DIRS" ${ARGN})
  get_filename_component(script_path ${script} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(script_name ${script} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_${script_name}_rc.cpp)
  set(include_args)
  foreach(dir ${KVRES_INCLUDE_DIRS})
    get_filename_component(dir_path ${dir} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND include_args -I ${dir_path})
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND kvrc ${include_args} -o ${output} --depfile ${output}.d ${script_path}
    DEPENDS kvrc ${script_path}
    DEPFILE ${output}.d
    COMMENT "Compiling resources ${script_name}.rc for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  # The generated source needs the directory layout, whether or not TARGET links kvwin32.
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/include)
endfunction()
