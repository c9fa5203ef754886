# One library per subsystem folder of src/.
#
# Headers are included by folder ("config/Settings.h"), but src/ itself is on
# no include path: each folder is reached through a link of its own in the
# build tree (layers/<name>/<name> -> src/<name>), and only a library that
# links pm_<name> gets that link's folder. So a subsystem that includes a
# header of a layer above it fails to compile.

# The .cpp files directly in the given folders of src/.
function(pm_glob var)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PM_SRC}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# The include root of src/<name> in var.
function(pm_include_root var name)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PM_SRC}/${name} ${root}/${name} SYMBOLIC)
  set(${var} ${root} PARENT_SCOPE)
endfunction()

# pm_layer(name [PUBLIC libs...] [PRIVATE libs...]): the library pm_<name>
# of src/<name>/*.cpp with its own include root.
function(pm_layer name)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE" ${ARGN})
  pm_include_root(root ${name})
  pm_glob(src ${name})
  add_library(pm_${name} STATIC ${src})
  target_include_directories(pm_${name} PUBLIC ${root})
  target_link_libraries(pm_${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  pm_warnings(pm_${name})
endfunction()

# pm_qt_layer(name [PUBLIC libs...] [PRIVATE libs...]): the widgets of
# src/<name>/qt as pm_<name>_qt, on top of pm_<name>.
function(pm_qt_layer name)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB src CONFIGURE_DEPENDS ${PM_SRC}/${name}/qt/*.cpp ${PM_SRC}/${name}/qt/*.h)
  list(FILTER src EXCLUDE REGEX "/qt/main\\.cpp$")
  add_library(pm_${name}_qt STATIC ${src})
  if(TARGET pm_${name})
    target_link_libraries(pm_${name}_qt PUBLIC pm_${name})
  else()
    # Widgets of a subsystem whose logic is all in other layers so far.
    pm_include_root(root ${name})
    target_include_directories(pm_${name}_qt PUBLIC ${root})
  endif()
  target_link_libraries(pm_${name}_qt PUBLIC Qt6::Widgets ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  set_target_properties(pm_${name}_qt PROPERTIES AUTOMOC ON)
  pm_warnings(pm_${name}_qt)
endfunction()

# pm_module(name layer SOURCES files... LIBS libs...): a part of the program
# loaded on first use (common/Module.h), from sources in a sub-folder of
# src/<layer>. It is built beside the programs and installed in the library
# folder's "pellmark"; whatever links pm_<layer> gets it built.
function(pm_module name layer)
  cmake_parse_arguments(M "" "" "SOURCES;LIBS" ${ARGN})
  list(TRANSFORM M_SOURCES PREPEND ${PM_SRC}/${layer}/)
  add_library(${name} MODULE ${M_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX ""
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  # The module sees its layer's headers and those of the layers below,
  # as its layer does, but links none of them.
  target_include_directories(${name} PRIVATE $<TARGET_PROPERTY:pm_${layer},INCLUDE_DIRECTORIES>)
  target_link_libraries(${name} PRIVATE ${M_LIBS})
  pm_warnings(${name})
  add_dependencies(pm_${layer} ${name})
  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/pellmark)
endfunction()
