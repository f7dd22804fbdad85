#include "dictionaries/TForm15.h"

namespace zel {

TForm15::TForm15(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("ZEL 4"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    base.setBold(true);
    setFont(base);
    setFixedSize(275, 123);
}

}  // namespace zel
