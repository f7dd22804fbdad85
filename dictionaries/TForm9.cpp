#include "dictionaries/TForm9.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace zel {

namespace {

constexpr int kClientWidth = 275;
constexpr int kClientHeight = 170;
constexpr int kEditWidth = 258;

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Изменение ФИО"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);
    setFixedSize(kClientWidth, kClientHeight);

    struct Row {
        QLabel*& label;
        QLineEdit*& edit;
        const char* labelName;
        const char* editName;
        QString caption;
    };
    const Row rows[] = {
        {Label1, Edit1, "Label1", "Edit1", QStringLiteral("Фамилия:")},
        {Label2, Edit2, "Label2", "Edit2", QStringLiteral("Имя:")},
        {Label3, Edit3, "Label3", "Edit3", QStringLiteral("Отчество:")},
    };
    int top = 6;
    for (const Row& row : rows) {
        row.label = new QLabel(row.caption, this);
        row.label->setObjectName(QString::fromLatin1(row.labelName));
        row.label->setFont(boldOf(font()));
        row.label->setGeometry(8, top, kEditWidth, 16);
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(QString::fromLatin1(row.editName));
        row.edit->setGeometry(8, top + 16, kEditWidth, 21);
        row.label->setBuddy(row.edit);
        top += 41;
    }

    BitBtn1 = new QPushButton(QStringLiteral("Отмена"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(boldOf(font()));
    BitBtn1->setAutoDefault(false);
    BitBtn1->setGeometry(8, 136, 125, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    BitBtn2 = new QPushButton(QStringLiteral("Сохранить"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFont(boldOf(font()));
    BitBtn2->setDefault(true);
    BitBtn2->setGeometry(141, 136, 125, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm9::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());
}

}  // namespace zel
