#include "dictionaries/TForm16.h"

#include "data/modules/TDM.h"

namespace zel {

namespace {

DictionaryGridLayout layoutOf(TDM& dm)
{
    DictionaryGridLayout l;
    l.objectName = "Form16";
    l.caption = QStringLiteral("Структура выдавщая документ");
    l.sizeable = true;
    l.size = QSize(655, 506);
    l.centred = true;
    l.source = &dm.DS_teacher_struktura;
    l.columns = {
        titledColumn("s_teacher_struktura", QStringLiteral("Краткое название"), 150),
        titledColumn("teacher_struktura", QStringLiteral("Полное название"), 450),
    };
    l.buttons = ui::DbNavigator::Insert | ui::DbNavigator::Delete | ui::DbNavigator::Post;
    l.fitColumns = true;
    l.flat = true;
    l.rowHeight = 22;
    l.statusBar = true;
    return l;
}

}  // namespace

TForm16::TForm16(TDM& dm, QWidget* parent) : DictionaryGridWindow(layoutOf(dm), parent), m_dm(dm) {}

void TForm16::FormClose()
{
    // The document grid's lookups read this list: they must see the new rows.
    m_dm.ADOQ_teacher_struktura.Close();
    m_dm.ADOQ_teacher_struktura.Open();
}

}  // namespace zel
