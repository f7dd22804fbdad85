target_sources(zel_data PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TDM_PUM.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDM.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MasterDeclarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionDeclarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DictionaryDeclarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AddressDeclarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocumentDeclarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PostingRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TADOUpdateHistoryExec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AuditLog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CardStatements.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveSequence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionDeletion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TDM_PUM.h
    ${CMAKE_CURRENT_LIST_DIR}/TDM.h
)
