target_sources(zel_data PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TDM_PUM.cpp
)
