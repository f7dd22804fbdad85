#include "card/AddressBlock.h"

#include "ui/DbEdit.h"
#include "ui/EnterChain.h"
#include "ui/GroupBox.h"
#include "ui/LabelPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

namespace {

const char* const kNameFields[] = {"REPUBLIC", "AREA", "DISTRICT", "CITY", "VILLAGE"};
const char* const kNameCaptions[] = {"Республика:", "Область:", "Район:", "Город:", "Село:"};

}  // namespace

AddressBlock::AddressBlock(const QString& buttonName, const QString& caption, TDataSource* source,
                           const QString& streetEditName, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    m_button = new QPushButton(caption, this);
    m_button->setObjectName(buttonName);
    m_button->setFixedHeight(23);
    layout->addWidget(m_button);

    m_group = new ui::GroupBox(QString(), this);
    auto* grid = new QGridLayout(m_group);
    grid->setContentsMargins(4, 2, 4, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);

    QPalette shown = palette();
    shown.setColor(QPalette::Base, QColor(0xE4, 0xE4, 0xE4));
    int row = 0;
    for (std::size_t i = 0; i < std::size(kNameFields); ++i, ++row) {
        auto* label = new ui::LabelPanel(QString::fromUtf8(kNameCaptions[i]), m_group);
        label->setFixedWidth(122);
        auto* edit = new ui::DbEdit(m_group);
        const QString field = QString::fromLatin1(kNameFields[i]);
        edit->setObjectName(buttonName + u'_' + field);
        edit->setDataSource(source, field);
        // Changed only through the address picker.
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setPalette(shown);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        m_names.append(edit);
    }
    if (!streetEditName.isEmpty()) {
        auto* label = new ui::LabelPanel(QStringLiteral("Улица, №дома, кв.:"), m_group);
        label->setFixedWidth(122);
        m_street = new ui::DbEdit(m_group);
        m_street->setObjectName(streetEditName);
        m_street->setDataSource(source, QStringLiteral("Address"));
        // Reacts to Enter but hands the focus to nobody.
        ui::EnterChain::setSuccessor(m_street, QString());
        connect(m_street, &ui::DbEdit::clicked, this, &AddressBlock::streetClicked);
        label->setBuddy(m_street);
        grid->addWidget(label, row, 0);
        grid->addWidget(m_street, row, 1);
    }
    layout->addWidget(m_group);
}

ui::DbEdit* AddressBlock::nameField(const QString& fieldName) const
{
    for (std::size_t i = 0; i < std::size(kNameFields); ++i)
        if (fieldName.compare(QLatin1String(kNameFields[i]), Qt::CaseInsensitive) == 0)
            return m_names.value(qsizetype(i));
    return nullptr;
}

}  // namespace zel
