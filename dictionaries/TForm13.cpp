#include "dictionaries/TForm13.h"

#include "data/modules/TDM_PUM.h"

namespace zel {

namespace {

DictionaryGridLayout layoutOf(TDM_PUM& dm)
{
    DictionaryGridLayout l;
    l.objectName = "Form13";
    l.caption = QStringLiteral("Гражданство");
    l.size = QSize(281, 383);
    l.centred = true;
    l.source = &dm.DS_Republic;
    l.columns = {titledColumn("republic", QStringLiteral("Гражданство"), 314)};
    return l;
}

}  // namespace

TForm13::TForm13(TDM_PUM& dm, QWidget* parent) : DictionaryGridWindow(layoutOf(dm), parent) {}

}  // namespace zel
