#pragma once

#include "data/DbError.h"

#include <gtest/gtest.h>

#include <functional>

namespace zel::db::odbctest {

/// The error an action throws; a test failure, and an empty error, when it throws none.
inline DbError failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "expected a DbError";
    return DbError(QString());
}

}  // namespace zel::db::odbctest
