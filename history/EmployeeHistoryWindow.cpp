#include "history/EmployeeHistoryWindow.h"

#include "history/DictionaryNames.h"
#include "history/FieldCaptions.h"
#include "history/HistoryHost.h"
#include "history/HistorySections.h"
#include "ui/DialogService.h"
#include "ui/GuardedAction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zel {

namespace {

constexpr int kOldColumn = 3;
constexpr int kNewColumn = 4;

QDateEdit* dayEditor(QWidget* parent, const QString& name)
{
    auto* editor = new QDateEdit(QDate::currentDate(), parent);
    editor->setObjectName(name);
    editor->setCalendarPopup(true);
    editor->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    editor->setEnabled(false);
    return editor;
}

}  // namespace

const QStringList& EmployeeHistoryWindow::ColumnTitles()
{
    static const QStringList titles = {
        QStringLiteral("Дата и время"), QStringLiteral("Раздел"),       QStringLiteral("Поле"),
        QStringLiteral("Было"),         QStringLiteral("Стало"),        QStringLiteral("Пользователь"),
        QStringLiteral("Рабочее место"),
    };
    return titles;
}

EmployeeHistoryWindow::EmployeeHistoryWindow(HistoryHost& host, qint64 employee, const QString& fullName,
                                             QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)
    , m_host(host)
    , m_employee(employee)
{
    setObjectName(QStringLiteral("EmployeeHistoryWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("История изменений — %1 (шифр %2)").arg(fullName.trimmed()).arg(employee));
    resize(1040, 520);

    auto* layout = new QVBoxLayout(this);
    auto* filters = new QHBoxLayout;
    layout->addLayout(filters);

    filters->addWidget(new QLabel(QStringLiteral("Раздел:"), this));
    SectionBox = new QComboBox(this);
    SectionBox->setObjectName(QStringLiteral("SectionBox"));
    SectionBox->addItem(QStringLiteral("Все разделы"), QString());
    for (const HistorySections::Section& section : HistorySections::All())
        SectionBox->addItem(QString::fromUtf8(section.caption), QString::fromLatin1(section.label));
    SectionBox->setMaxVisibleItems(SectionBox->count());
    filters->addWidget(SectionBox);
    filters->addSpacing(16);

    FromCheck = new QCheckBox(QStringLiteral("с"), this);
    FromCheck->setObjectName(QStringLiteral("FromCheck"));
    FromDate = dayEditor(this, QStringLiteral("FromDate"));
    ToCheck = new QCheckBox(QStringLiteral("по"), this);
    ToCheck->setObjectName(QStringLiteral("ToCheck"));
    ToDate = dayEditor(this, QStringLiteral("ToDate"));
    for (QWidget* w : {static_cast<QWidget*>(FromCheck), static_cast<QWidget*>(FromDate),
                       static_cast<QWidget*>(ToCheck), static_cast<QWidget*>(ToDate)})
        filters->addWidget(w);
    filters->addStretch(1);

    Grid = new QTableWidget(0, int(ColumnTitles().size()), this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setHorizontalHeaderLabels(ColumnTitles());
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid->setWordWrap(false);
    Grid->verticalHeader()->setVisible(false);
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {130, 150, 160, 180, 180, 90};
    for (int i = 0; i < int(std::size(widths)); ++i)
        Grid->setColumnWidth(i, widths[i]);
    layout->addWidget(Grid, 1);

    auto* bottom = new QHBoxLayout;
    layout->addLayout(bottom);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    bottom->addWidget(CountLabel, 1);
    CopyButton = new QPushButton(QStringLiteral("Копировать"), this);
    CopyButton->setObjectName(QStringLiteral("CopyButton"));
    CopyButton->setToolTip(QStringLiteral("Копировать выделенные записи (Ctrl+C)"));
    CopyButton->setAutoDefault(false);
    CloseButton = new QPushButton(QStringLiteral("Закрыть"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAutoDefault(false);
    bottom->addWidget(CopyButton);
    bottom->addWidget(CloseButton);

    auto refresh = ui::guarded(this, [this] { Refresh(); });
    connect(SectionBox, &QComboBox::currentIndexChanged, this, refresh);
    connect(FromCheck, &QCheckBox::toggled, FromDate, &QWidget::setEnabled);
    connect(ToCheck, &QCheckBox::toggled, ToDate, &QWidget::setEnabled);
    connect(FromCheck, &QCheckBox::toggled, this, refresh);
    connect(ToCheck, &QCheckBox::toggled, this, refresh);
    connect(FromDate, &QDateEdit::dateChanged, this, [this, refresh] {
        if (FromCheck->isChecked())
            refresh();
    });
    connect(ToDate, &QDateEdit::dateChanged, this, [this, refresh] {
        if (ToCheck->isChecked())
            refresh();
    });
    connect(CopyButton, &QPushButton::clicked, this, ui::guarded(this, [this] { CopySelection(); }));
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

bool EmployeeHistoryWindow::Refresh()
{
    HistoryRequest request;
    request.employee = m_employee;
    request.section = SectionBox->currentData().toString();
    if (FromCheck->isChecked())
        request.from = FromDate->date();
    if (ToCheck->isChecked())
        request.to = ToDate->date();
    if (request.from.isValid() && request.to.isValid() && request.from > request.to) {
        ui::DialogService::current().message(this, QStringLiteral("История изменений"),
                                             QStringLiteral("Начало периода (%1) позже его конца (%2).\r"
                                                            "Исправьте одну из дат.")
                                                 .arg(request.from.toString(QStringLiteral("dd.MM.yyyy")),
                                                      request.to.toString(QStringLiteral("dd.MM.yyyy"))),
                                             ui::DialogService::Icon::Warning, ui::DialogService::Buttons::Ok);
        return false;
    }
    m_entries = m_host.ReadHistory(request);
    showEntries();
    return true;
}

QStringList EmployeeHistoryWindow::cells(const HistoryEntry& entry) const
{
    QString field = FieldCaptions::Caption(entry.table, entry.field);
    if (entry.kind == HistoryEntry::Kind::Deletion)
        field = QStringLiteral("(запись удалена)");
    return {entry.when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
            HistorySections::Caption(entry.table),
            field,
            entry.oldValue,
            entry.newValue,
            entry.user,
            entry.workstation};
}

void EmployeeHistoryWindow::showEntries()
{
    Grid->setUpdatesEnabled(false);
    Grid->clearContents();
    Grid->setRowCount(int(m_entries.size()));
    for (int row = 0; row < int(m_entries.size()); ++row) {
        const HistoryEntry& entry = m_entries[std::size_t(row)];
        const QStringList texts = cells(entry);
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            // A dictionary's name carries its key in the tip, for a call to the administrator.
            const QString& key = column == kOldColumn ? entry.oldKey : column == kNewColumn ? entry.newKey : QString();
            item->setToolTip(key.isEmpty() || texts[column] == DictionaryNames::MissingKeyText(key)
                                 ? texts[column]
                                 : QStringLiteral("%1 (код %2)").arg(texts[column], key));
            Grid->setItem(row, column, item);
        }
    }
    Grid->setUpdatesEnabled(true);
    CountLabel->setText(QStringLiteral("Записей: %1").arg(m_entries.size()));
}

QString EmployeeHistoryWindow::SelectedText() const
{
    QList<int> rows;
    for (const QModelIndex& index : Grid->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        for (int row = 0; row < Grid->rowCount(); ++row)
            rows << row;
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    lines << ColumnTitles().join(QLatin1Char('\t'));
    for (int row : rows) {
        QStringList texts = cells(m_entries[std::size_t(row)]);
        // A tab or line break inside a value would split the pasted row.
        for (QString& text : texts)
            text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '))
                .replace(QLatin1Char('\r'), QLatin1Char(' '));
        lines << texts.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void EmployeeHistoryWindow::CopySelection()
{
    m_host.CopyText(SelectedText());
}

void EmployeeHistoryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        ui::runGuarded(this, [this] { CopySelection(); });
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace zel
