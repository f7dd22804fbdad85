#pragma once

#include <QString>

namespace zel {

/// The address of the printable card on the report server.
namespace ReportAddress {

/// The fixed part after the server's base address: the report /VUZ/zel4_1 rendered.
QString ReportPath();

/// base + ReportPath() + "&login=" + login + "&password=" + digest + "&teacher=" + key.
/// The login and the key are percent-encoded as query values (letters, digits and
/// "-._~" stay as typed), so an ampersand, a blank or Cyrillic letters cannot split
/// the address. The digest is the password's hash: the password itself is never
/// part of the address. Throws zel::Error for a password character outside Windows-1251.
QString Url(const QString& base, const QString& login, const QString& password, const QString& key);

}  // namespace ReportAddress

}  // namespace zel
