#pragma once

#include <QByteArray>
#include <QString>

namespace zel::shift {

/// The bootstrap file and the credentials that GET_USER returns store every
/// character code lowered by one. Decoding adds one modulo 256 (0xFF -> 0x00).
QByteArray decodeBytes(const QByteArray& stored);
QByteArray encodeBytes(const QByteArray& plain);

/// Shifted Windows-1251 bytes -> text. A byte that decodes to no character throws
/// zel::Error: these texts end up in a connection string.
QString decode(const QByteArray& stored);
/// Text already turned into characters (as a server returns it) -> shifted back.
/// Throws zel::Error for a character outside Windows-1251 or a byte without one.
QString decodeText(const QString& stored);
/// Text -> shifted Windows-1251 bytes; throws zel::Error outside Windows-1251.
QByteArray encode(const QString& plain);
/// Text -> shifted text (the server side of GET_USER).
QString encodeText(const QString& plain);

}  // namespace zel::shift
