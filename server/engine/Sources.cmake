# The engine of the embedded server: connection, dialect translation, functions.
target_sources(zel_server PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AccessPolicy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BatchRunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialectFunctions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialectTranslator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DictionaryUseCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EmbeddedDriver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EmbeddedSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LikePattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcedureRunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResultReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SchemaCatalog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerErrors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerHooks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlEmitter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqliteFunctions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlParser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlTokenizer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatementCache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatementTrace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextFolding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransactionScope.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TranslationCache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValueBinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WriteThrough.cpp
)
