# The personnel schema: one description, SQLite DDL and the SQL Server script.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AddressTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DictionaryTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EmployeeTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InternalTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LogIndexes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MssqlSchemaScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PersonnelSchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServiceTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqliteConnection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqliteSchemaWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqliteStatement.cpp
)
