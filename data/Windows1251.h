#pragma once

#include <QByteArray>
#include <QString>

namespace zel {

/// The Windows-1251 code page of the database and the bootstrap file.
namespace windows1251 {

/// Every byte maps to one character; 0x98 (unassigned) maps to U+FFFD.
QString decode(const QByteArray& bytes);

/// As decode, but a byte without a character (0x98) throws zel::Error: for texts
/// that go on into a connection string, where a stand-in character would be wrong.
QString decodeStrict(const QByteArray& bytes);

/// Encodes text; throws zel::Error naming the first character that the code
/// page cannot hold (never a silent "?").
QByteArray encode(const QString& text);

/// Whether every character of the text exists in the code page.
bool canEncode(const QString& text);

}  // namespace windows1251
}  // namespace zel
