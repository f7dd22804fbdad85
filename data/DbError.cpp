#include "DbError.h"

#include <utility>

namespace zel {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

DbError::DbError(const QString& message, Kind kind, QString sqlState, int nativeCode)
    : Error(message), m_kind(kind), m_sqlState(std::move(sqlState)), m_nativeCode(nativeCode)
{
}

AbortSignal::AbortSignal() : Error(QStringLiteral("Operation aborted")) {}

}  // namespace zel
