#pragma once

#include <QString>
#include <QTextStream>

#include <optional>

namespace zel::tools {

/// Reads a password without putting it on the command line (and so into the
/// shell's history or the process list).
class PasswordInput {
public:
    /// From a terminal: asks twice on err with the echo off and requires both
    /// to match. Otherwise: the first line of standard input. nullopt, with the
    /// reason written to err, when nothing usable was read.
    static std::optional<QString> fromStandardInput(QTextStream& err);
    /// The first line of the file ("-" for standard input); nullopt with the
    /// reason on err when it cannot be read or is empty.
    static std::optional<QString> fromFile(const QString& path, QTextStream& err);
};

}  // namespace zel::tools
