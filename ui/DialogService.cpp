#include "ui/DialogService.h"

#include <QMessageBox>

namespace zel::ui {

namespace {
DialogService* g_override = nullptr;
}

DialogService& DialogService::current()
{
    static MessageBoxDialogService standard;
    return g_override ? *g_override : standard;
}

void DialogService::setCurrent(DialogService* service)
{
    g_override = service;
}

QString messageText(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

DialogService::Answer MessageBoxDialogService::message(QWidget* parent, const QString& caption,
                                                       const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(messageText(text));
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

}  // namespace zel::ui
