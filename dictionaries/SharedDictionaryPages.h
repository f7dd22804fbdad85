#pragma once

#include <QString>

#include <span>

namespace zel {

class TADOQuery;
class TDataSource;
class TDM_PUM;

/// One page of the shared dictionary window TForm5 and the card button that
/// opens it: what the page shows and under which name the audit log records
/// the changes made on it.
struct SharedDictionaryPage {
    int page;                          ///< index of the page in TForm5
    const char* button;                ///< object name of the card's "+" button
    const char* caption;               ///< caption the card gives TForm5
    TADOQuery TDM_PUM::* dataSet;      ///< the dictionary edited
    TDataSource TDM_PUM::* dataSource; ///< the grid's and navigator's source
    const char* field;                 ///< the grid's one column
    const char* title;                 ///< its title
    const char* tableLabel;            ///< table name in ZEL_LOG
    const char* keyField;              ///< row key in ZEL_LOG

    QString Caption() const { return QString::fromUtf8(caption); }
    QString Button() const { return QString::fromLatin1(button); }
    QString Field() const { return QString::fromUtf8(field); }
    QString Title() const { return QString::fromUtf8(title); }
    QString TableLabel() const { return QString::fromLatin1(tableLabel); }
    QString KeyField() const { return QString::fromLatin1(keyField); }
};

/// The nine pages in page order.
std::span<const SharedDictionaryPage> sharedDictionaryPages();

}  // namespace zel
