# The build timestamp is fixed when the program is configured; SOURCE_DATE_EPOCH
# (reproducible builds) takes precedence over the clock.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ZEL_BUILD_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  string(TIMESTAMP ZEL_BUILD_EPOCH "%s" UTC)
endif()
