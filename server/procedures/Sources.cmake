# Native procedures of the embedded server and the module installation.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AddressLists.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CopyDataFromTeacher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeleteTeacher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EmployeeHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EmployeeRecords.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FamilyStatus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GetUser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcedureArguments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcedureResult.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerModules.cpp
)
