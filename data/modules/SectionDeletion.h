#pragma once

namespace zel {

class TADOUpdateHistoryExec;
class TDataSet;
class TDM_PUM;

/// Deleting a row of a card section with its row written to the audit log, so that
/// the employee's change history shows what was deleted.
namespace SectionDeletion {

/// Deletes the current row of dataSet, one of the card sections of the save
/// sequence, with the history attached for deletions under that section's table
/// name and key field: one ZEL_LOG row with the row's dump. Returns false (nothing
/// deleted) when dataSet is no such section or has no row. A failing delete
/// propagates; the history is then detached and holds no statement of it.
bool DeleteLogged(TDM_PUM& dm, TDataSet& dataSet, TADOUpdateHistoryExec& history);

}  // namespace SectionDeletion

}  // namespace zel
