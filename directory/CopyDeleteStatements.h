#pragma once

#include <QString>

namespace zel {

/// The statements of copying and deleting employees, built as text. Keys are
/// written as decimal digits; the login and the workstation go between
/// apostrophes with every apostrophe doubled, so no name can end the literal.
namespace CopyDeleteStatements {

/// Who made a change: the signed-in login and the workstation text
/// (computer name, one backslash, IP address).
struct Author {
    QString login;
    QString workstation;
};

/// The workstation text of a computer at an address: "PC12" and "10.0.0.7"
/// give "PC12\10.0.0.7".
QString Workstation(const QString& computerName, const QString& ipAddress);

/// Copies every section of employee from onto employee to.
QString CopyStatement(int from, int to, const Author& author);
/// Deletes an employee without linked rows; the procedure answers 1 when it did.
QString DeleteStatement(int key, const Author& author);
/// Deletes an employee together with every linked row.
QString ForcedDeleteStatement(int key, const Author& author);
/// Reads whether the employee is listed among those that may not be force-deleted.
QString ProtectedEmployeeStatement(int key);

}  // namespace CopyDeleteStatements

}  // namespace zel
