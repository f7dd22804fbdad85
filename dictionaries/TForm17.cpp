#include "dictionaries/TForm17.h"

#include "data/modules/TDM.h"

namespace zel {

namespace {

DictionaryGridLayout layoutOf(TDM& dm)
{
    DictionaryGridLayout l;
    l.objectName = "Form17";
    l.caption = QStringLiteral("Form17");
    l.sizeable = true;
    l.size = QSize(411, 525);
    l.centred = true;
    l.source = &dm.DS_teacher_stepen;
    l.columns = {titledColumn("teacher_stepen", QStringLiteral("Название"), 350)};
    l.fitColumns = true;
    l.flat = true;
    l.rowHeight = 22;
    l.statusBar = true;
    return l;
}

}  // namespace

TForm17::TForm17(TDM& dm, QWidget* parent) : DictionaryGridWindow(layoutOf(dm), parent), m_dm(dm) {}

void TForm17::FormClose()
{
    // The document grid's lookups read this list: they must see the new rows.
    m_dm.ADOQ_teacher_stepen.Close();
    m_dm.ADOQ_teacher_stepen.Open();
}

}  // namespace zel
