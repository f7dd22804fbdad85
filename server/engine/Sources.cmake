# The engine of the embedded server: connection, dialect translation, functions.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LikePattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerHooks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqliteFunctions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextFolding.cpp
)
