# The build timestamp. Test executables carry the moment the project was configured;
# the program itself carries the moment its file is linked (zel_stamp_build_time).
# SOURCE_DATE_EPOCH (reproducible builds) takes precedence over the clock in both.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ZEL_BUILD_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  string(TIMESTAMP ZEL_BUILD_EPOCH "%s" UTC)
endif()

set(ZEL_BUILD_STAMP_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/WriteBuildStamp.cmake")

# Gives target a source that holds the time of each build of it: the source is
# written anew at every build, so the target is compiled and linked with it.
function(zel_stamp_build_time target)
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_build_stamp.cpp")
  add_custom_target(${target}_build_stamp
    COMMAND ${CMAKE_COMMAND} -DOUT=${stamp} -P ${ZEL_BUILD_STAMP_SCRIPT}
    BYPRODUCTS ${stamp}
    COMMENT "Stamping the build time of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${stamp})
  add_dependencies(${target} ${target}_build_stamp)
endfunction()
