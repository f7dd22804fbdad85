#include "dictionaries/TForm14.h"

#include "data/modules/TDM_PUM.h"

namespace zel {

namespace {

DictionaryGridLayout layoutOf(TDM_PUM& dm)
{
    DictionaryGridLayout l;
    l.objectName = "Form14";
    l.caption = QStringLiteral("Национальность");
    l.sizeable = true;
    l.size = QSize(294, 459);
    l.source = &dm.DS_nationality;
    l.columns = {titledColumn("Nationality", QStringLiteral("Национальность"), 314)};
    return l;
}

}  // namespace

TForm14::TForm14(TDM_PUM& dm, QWidget* parent) : DictionaryGridWindow(layoutOf(dm), parent) {}

}  // namespace zel
