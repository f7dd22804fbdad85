# The demo database: reference data, accounts and generated employees.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DemoAccounts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoAddresses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoCareerWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoDatabase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoDictionaries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoNames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoPersonWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoPhoto.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoReferenceData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SeedWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableInserter.cpp
)
