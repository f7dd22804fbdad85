# Accounts of the embedded server: database logins and the clerks of GET_USER.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ClerkAccounts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatabaseAccounts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PasswordVerifier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoredVerifiers.cpp
)
