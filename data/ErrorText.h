#pragma once

#include <QString>

#include <exception>

namespace zel {

/// The text the clerk reads for a failure: the error's own message, led by a sentence
/// in Russian where that message is the server's own words about a failure of the
/// server itself (its disk, its locks, the connection) rather than about what was
/// typed. Other errors keep their message as it is; a foreign exception its what().
QString errorTextForUser(const std::exception& failure);

}  // namespace zel
