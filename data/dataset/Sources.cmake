# Dataset model: connection, datasets, fields, data sources.
target_sources(zel_data PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FieldFactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilterExpression.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyIndex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RowWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TADOConnection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TADOQuery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TADOStoredProc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TADOTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TAutoIncField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TBCDField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TBlobField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TBooleanField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDataLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDataSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDataSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDateField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDateTimeField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFloatField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TIntegerField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TLargeintField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSmallintField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TStringField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TWideStringField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValueOrder.cpp
)
