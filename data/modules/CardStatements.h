#pragma once

#include <QString>

#include <vector>

namespace zel {

class CardHost;
class TADOQuery;
class TDM_PUM;

/// The statements that fill the card: one load statement per section for the current
/// employee, and the empty statement that gives a section its columns and no row.
namespace CardStatements {

struct Section {
    TADOQuery* query;
    QString loadPrefix;  ///< followed by the employee key in decimal
    QString loadSuffix;
    QString emptyText;   ///< empty for the pension section, which is not reset
    QString LoadText(const QString& key) const { return loadPrefix + key + loadSuffix; }
};

/// The 19 sections in load order: the pension first, then the 18 others.
std::vector<Section> Sections(TDM_PUM& dm);

/// The current employee key as LoadCard reads it: the text of ADO_TEACHER's
/// id_teacher; empty when the dataset is closed or has no row.
QString CurrentEmployeeKey(TDM_PUM& dm);

/// Re-queries every section for the current employee and tells the host the pension
/// mark, the family status of the first relative then of the dictionary's current row
/// (none for an employee without relatives),
/// the status text and that Save is disabled. Nothing at all when there is no key.
/// Returns whether it loaded. Errors of a query propagate; the sections after it keep
/// their previous rows.
bool LoadCard(TDM_PUM& dm, CardHost& host);

/// Re-opens every section but the pension with its empty statement, in load order.
void OpenEmptyCard(TDM_PUM& dm);

/// Re-opens the pension section empty, so that a new card does not show the previous
/// employee's pension row.
void OpenEmptyPension(TDM_PUM& dm);

/// The display order of the dictionary and address lists given once at start-up.
void ApplyStartupSorts(TDM_PUM& dm);

/// Runs the family-status procedure for the current employee with the status of the
/// family-status dictionary's current row (the chooser keeps that row current).
/// Errors of the server propagate.
void UpdateFamilyStatus(TDM_PUM& dm);

/// The status bar text: surname, name and patronymic joined by single blanks.
QString FullName(TDM_PUM& dm);

}  // namespace CardStatements

}  // namespace zel
