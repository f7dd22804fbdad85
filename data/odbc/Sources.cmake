# The ODBC route to SQL Server (FreeTDS) and to any other ODBC driver.
target_sources(zel_data PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OdbcConnectionString.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcDiagnostics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcDriver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcDriverRegistration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcEnvironment.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcHandle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcInstallation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcKeyCache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcParameterBinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcResultReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcStatement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OdbcTypeMapping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerDialect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlIdentifier.cpp
)
target_link_libraries(zel_data PUBLIC PkgConfig::ODBC)
