#pragma once

#include "data/dataset/DataSetTypes.h"

#include <QString>

namespace zel {

class CardHost;
class Error;
class TDataSet;
class TDM_PUM;

/// The rules that run inside DM_PUM's dataset events: employee key, creator stamps,
/// arming the Save button, the family status of relatives, the master row's insert
/// stamp, the photo stamp, the education caption, new republics made visible,
/// directory sync and the no-rights answer.
namespace PostingRules {

/// Installs every rule into dm's datasets. The host is not owned and must outlive dm's
/// use of the rules (the main window, for the whole run).
void Install(TDM_PUM& dm, CardHost& host);

/// Writes the current employee key (the id_teacher of ADO_TEACHER's current row) into
/// keyField of dataSet; no current row gives null.
void TakeEmployeeKey(TDM_PUM& dm, TDataSet& dataSet, const QString& keyField);
/// Writes the login into ZEL_User, only while dataSet inserts a row.
void StampInsertUser(TDataSet& dataSet, const QString& login);
/// Answers a failed post of the master rows. A refusal for lack of rights shows the
/// warning, discards the pending changes and aborts silently; any other failure is
/// left to propagate with the server's text and the changes stay.
void AnswerNoRights(TDataSet& dataSet, CardHost& host, const Error& error, TDataAction& action);

/// The text of the no-rights warning and its caption.
QString NoRightsText();
QString NoRightsCaption();

}  // namespace PostingRules

}  // namespace zel
