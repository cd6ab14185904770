# One helper per build idiom that more than one folder uses.

# Results pinned to the last bit follow the order of operations in the code:
# the compiler must not fuse a multiply and an add into one rounding. For the
# engines, and for the checks that compute the expected values step by step.
function(sonavolta_exact_float target)
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off>)
endfunction()

# The program's data files, found beside its executable. The help page,
# sonavolta.html, and one per language, sonavolta_<language>.html; each
# calculator's help button opens a small page that leads on to its section
# of the help page in the program's language (all of them share one
# stylesheet, sonavolta.css); app/ writes those pages from
# the list of calculators into SONAVOLTA_HELP_TOPIC_DIR (the target
# help_topic_pages).
file(GLOB SONAVOLTA_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/help/sonavolta*.html)
set(SONAVOLTA_HELP_STYLE ${CMAKE_SOURCE_DIR}/res/help/sonavolta.css)
set(SONAVOLTA_HELP_TOPIC_DIR ${CMAKE_BINARY_DIR}/help-topics)
set(SONAVOLTA_HELP_TOPIC_STAMP ${CMAKE_BINARY_DIR}/help-topics.stamp)
set(SONAVOLTA_PITCH_TABLE ${CMAKE_SOURCE_DIR}/res/spn.dat)

# Copies files next to an executable target after each link; LINK_DEPENDS
# relinks it, and so copies again, when one of them changes.
function(sonavolta_copy_beside target)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} $<TARGET_FILE_DIR:${target}>/${name})
  endforeach()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ARGN})
endfunction()

# The help pages and the pitch table beside an executable, as beside the program.
# Executables of one folder link (and so copy) one at a time: two copies of
# the same files into one folder at once can fail.
function(sonavolta_copy_data target)
  string(MAKE_C_IDENTIFIER "copy_into_${CMAKE_CURRENT_BINARY_DIR}" pool)
  get_property(pools GLOBAL PROPERTY JOB_POOLS)
  if(NOT "${pool}=1" IN_LIST pools)
    set_property(GLOBAL APPEND PROPERTY JOB_POOLS ${pool}=1)
  endif()
  set_property(TARGET ${target} PROPERTY JOB_POOL_LINK ${pool})
  sonavolta_copy_beside(${target} ${SONAVOLTA_HELP_PAGES} ${SONAVOLTA_HELP_STYLE} ${SONAVOLTA_PITCH_TABLE})
  add_dependencies(${target} help_topic_pages)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${SONAVOLTA_HELP_TOPIC_DIR} $<TARGET_FILE_DIR:${target}>)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${SONAVOLTA_HELP_TOPIC_STAMP})
endfunction()
