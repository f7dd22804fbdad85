#pragma once

#include <QString>

#include <vector>

namespace zel {

class TADOUpdateHistoryExec;
class TDataSet;
class TDM_PUM;

/// The order in which the card is saved, and the two ways of posting it.
namespace SaveSequence {

struct Step {
    TDataSet* dataSet;
    QString tableName;   ///< the name written into the audit log
    QString keyField;
    bool logChanges;
};

/// The 19 steps: ADO_TEACHER first (not compared), then every section.
std::vector<Step> Steps(TDM_PUM& dm);

/// Detaches the history, attaches it to the step's dataset (changes as the step says,
/// deletions never) and posts. Errors of the post propagate; the history is then
/// detached and holds no statement of the failed attempt.
void PostStep(const Step& step, TADOUpdateHistoryExec& history);

/// The master row's part of Save: when ADO_TEACHER is editing or inserting, attaches
/// the history, writes the three name texts into p26, p27, p28 and posts. Returns
/// whether it posted (the window then shows its confirmation).
bool PostMasterRecord(TDM_PUM& dm, TADOUpdateHistoryExec& history, const QString& surname,
                      const QString& name, const QString& patronymic);

/// Steps 2 to 19: posts every section in edit or insert state through PostStep, in
/// order. The first failure propagates; the sections after it are not posted.
/// Returns the number of sections posted.
int PostSections(TDM_PUM& dm, TADOUpdateHistoryExec& history);

/// Posts, in order, every one of the master row and the card sections (not the passport
/// or the pension) that holds unposted field changes, without attaching the history.
/// Nothing at all while the employee has no row in the database yet: a new employee is
/// posted only through Save's name check, and a section needs the employee's key.
/// Returns the number posted.
int PostModifiedSections(TDM_PUM& dm);

/// The datasets PostModifiedSections looks at, in its order: the master row and 16
/// sections; the passport and the pension are not among them.
std::vector<TDataSet*> ModifiedSectionsOrder(TDM_PUM& dm);

/// The datasets Cancel drops the pending edits of, in its order. The master row, the
/// addresses, the passport and the pension are not among them: their edits survive.
std::vector<TDataSet*> CancelOrder(TDM_PUM& dm);

/// Whether ADO_TEACHER's current row exists in the database (open, a row, not inserting).
bool MasterRowPosted(TDM_PUM& dm);

/// Every dataset of the card that a reload or an empty card would re-open: the master
/// row, the sections of the save sequence and the photo.
std::vector<TDataSet*> CardDataSets(TDM_PUM& dm);

/// Has the controls write what they hold, then tells whether some dataset of the card
/// holds unposted field changes.
bool HasUnpostedChanges(TDM_PUM& dm);

/// Posts the photo row when it holds unposted changes (it is not part of Save).
bool PostModifiedPhoto(TDM_PUM& dm);

/// Drops every pending edit or insert of the card.
void CancelAll(TDM_PUM& dm);

}  // namespace SaveSequence

}  // namespace zel
