// Shows every toolkit control over an in-memory database with Cyrillic data.
// Usage: toolkit_demo [--screenshot file.png]
#include "FakeDatabase.h"

#include "ui/CaptionLabel.h"
#include "ui/DatePicker.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/DbImage.h"
#include "ui/DbLabel.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbLookupListBox.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/EnterChain.h"
#include "ui/FlatButton.h"
#include "ui/GroupBox.h"
#include "ui/LabelPanel.h"
#include "ui/MessageBoxes.h"
#include "ui/TextStatusBar.h"
#include "ui/ToolBar.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

#include <QApplication>
#include <QBuffer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPainter>
#include <QStyle>
#include <QTimer>

using namespace zel;
using namespace zel::ui;
using zel::db::SqlType;

namespace {

void fillDatabase()
{
    auto& db = fake::Database::instance();
    auto& nationality = db.create("nationality", {{"IDNationality", SqlType::Int}, {"Nationality", SqlType::NVarChar, 40}});
    for (const char* name : {"русский", "кыргыз", "казах", "узбек", "татарин"})
        nationality.add({QVariant(), QString::fromUtf8(name)});
    auto& kinds = db.create("holiday_type", {{"id_type", SqlType::Int}, {"name", SqlType::NVarChar, 40}});
    kinds.add({QVariant(), "ежегодный"});
    kinds.add({QVariant(), "учебный"});
    kinds.add({QVariant(), "без сохранения"});

    QImage photo(114, 152, QImage::Format_RGB32);
    photo.fill(QColor(225, 232, 240));
    {
        QPainter p(&photo);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(120, 140, 170));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(57, 55), 26, 30);
        p.drawRoundedRect(15, 95, 84, 70, 30, 30);
    }
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        photo.save(&buffer, "BMP");
    }
    auto& teacher = db.create("Teacher", {{"id_teacher", SqlType::Int},
                                          {"p26", SqlType::NVarChar, 30},
                                          {"p27", SqlType::NVarChar, 30},
                                          {"p28", SqlType::NVarChar, 30},
                                          {"D_b", SqlType::Date},
                                          {"id_nationality", SqlType::Int},
                                          {"status", SqlType::Bit},
                                          {"nauch_r", SqlType::NVarChar, 500},
                                          {"photo", SqlType::VarBinary, -1}});
    teacher.add({QVariant(), "Иванова", "Мария", "Петровна", QDate(1975, 3, 14), 1, true,
                 "Монография «Ёмкость и ток», 2 авторских свидетельства.", bmp});
    teacher.add({QVariant(), "Асанов", "Бакыт", "Жумабекович", QDate(1968, 11, 2), 2, false, "", QVariant()});

    auto& holiday = db.create("Holiday", {{"id_vacation", SqlType::Int},
                                          {"id_type", SqlType::Int},
                                          {"from_d", SqlType::Date},
                                          {"to_d", SqlType::Date},
                                          {"N_Days", SqlType::Int},
                                          {"N_prikaz", SqlType::NVarChar, 10},
                                          {"Date_Prikaz", SqlType::Date},
                                          {"paid", SqlType::Bit}});
    holiday.add({QVariant(), 1, QDate(2023, 7, 1), QDate(2023, 7, 24), 24, "112-к", QDate(2023, 6, 20), true});
    holiday.add({QVariant(), 2, QDate(2024, 1, 15), QDate(2024, 1, 29), 14, "7-к", QDate(2024, 1, 10), false});
    holiday.add({QVariant(), 3, QDate(2024, 8, 5), QVariant(), 5, "", QVariant(), false});
}

struct DataModule {
    TADOConnection connection;
    TADOQuery nationality{"ADOQ_nationality"};
    TADOQuery teacher{"ADO_TEACHER"};
    TADOQuery kinds{"ADOQ_holiday_type"};
    TADOQuery holiday{"ADOQ_Holiday"};
    TDataSource nationalitySource{&nationality};
    TDataSource teacherSource{&teacher};
    TDataSource holidaySource{&holiday};

    DataModule()
    {
        connection.SetConnectionString(fake::connectionString());
        for (auto [query, table] : std::initializer_list<std::pair<TADOQuery*, const char*>>{
                 {&nationality, "nationality"}, {&teacher, "Teacher"}, {&kinds, "holiday_type"}, {&holiday, "Holiday"}}) {
            query->SetConnection(&connection);
            query->SetSQL(QStringLiteral("select * from ") + QLatin1String(table));
        }
        holiday.DeclareFields({
            {.name = "id_vacation", .type = ftAutoInc},
            {.name = "id_type", .type = ftInteger},
            {.name = "Holiday_type", .type = ftString, .size = 40, .kind = fkLookup, .keyFields = "id_type",
             .lookupDataSet = &kinds, .lookupKeyFields = "id_type", .lookupResultField = "name"},
            {.name = "from_d", .type = ftDate},
            {.name = "to_d", .type = ftDate},
            {.name = "N_Days", .type = ftInteger},
            {.name = "N_prikaz", .type = ftString, .size = 10},
            {.name = "Date_Prikaz", .type = ftDate},
            {.name = "paid", .type = ftBoolean},
        });
        nationality.Open();
        teacher.Open();
        holiday.Open();
    }
};

QWidget* captioned(const QString& caption, QWidget* control)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new LabelPanel(caption);
    panel->setFixedWidth(130);
    layout->addWidget(panel);
    layout->addWidget(control, 1);
    return row;
}

std::vector<GridColumn> holidayColumns()
{
    std::vector<GridColumn> columns(8);
    const char* fields[] = {"Holiday_type", "from_d", "to_d", "N_Days", "N_prikaz", "Date_Prikaz", "paid", "id_vacation"};
    const char* titles[] = {"Вид отпуска", "Отпуск|Начало", "Отпуск|Конец", "Отпуск|Кол. дней",
                            "Отпуск|Приказ|№", "Отпуск|Приказ|Дата", "Оплачен по приказу ректора", "Код"};
    const int widths[] = {120, 80, 80, 60, 60, 80, 60, 40};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns[i].fieldName = QString::fromUtf8(fields[i]);
        columns[i].title = QString::fromUtf8(titles[i]);
        columns[i].width = widths[i];
    }
    for (int date : {1, 2, 5}) {
        columns[date].kind = GridColumn::Kind::Date;
        columns[date].displayFormat = "dd.MM.yyyy";
        columns[date].onCommit = CommitHooks::emptyDateIsNull();
    }
    columns[7].readOnly = true;
    return columns;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("ZEL 4");
    QFont base = app.font();
    base.setPointSize(8);
    app.setFont(base);
    MessageBoxes::installRussianStandardButtons(app);
    fake::registerDriver();
    fillDatabase();
    DataModule dm;

    QMainWindow window;
    window.setWindowTitle("Компоненты интерфейса");
    auto* toolBar = new ToolBar(35);
    auto* save = new FlatButton(window.style()->standardIcon(QStyle::SP_DialogSaveButton), "Сохранить запись");
    auto* search = new FlatButton(window.style()->standardIcon(QStyle::SP_FileDialogContentsView), "Поиск");
    auto* add = new FlatButton(window.style()->standardIcon(QStyle::SP_FileIcon), "Новая запись");
    for (FlatButton* b : {save, search, add}) {
        b->setFixedSize(96, 24);
        toolBar->addWidget(b);
    }
    window.addToolBar(toolBar);

    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);

    // Left: a personal-data group of bound controls.
    auto* personal = new GroupBox("Личные данные:");
    auto* left = new QVBoxLayout(personal);
    auto* surname = new DbEdit;
    surname->setObjectName("surname");
    surname->setDataSource(&dm.teacherSource, "p26");
    auto* name = new DbEdit;
    name->setObjectName("name");
    name->setDataSource(&dm.teacherSource, "p27");
    auto* patronymic = new DbEdit;
    patronymic->setObjectName("patronymic");
    patronymic->setDataSource(&dm.teacherSource, "p28");
    auto* birth = new DbDateEdit;
    birth->setObjectName("birth");
    birth->setDataSource(&dm.teacherSource, "D_b");
    auto* nationality = new DbLookupComboBox;
    nationality->setObjectName("nationality");
    nationality->setListSource(&dm.nationalitySource, "IDNationality", "Nationality");
    nationality->setDataSource(&dm.teacherSource, "id_nationality");
    EnterChain::setSuccessor(surname, "name");
    EnterChain::setSuccessor(name, "patronymic");
    EnterChain::setSuccessor(patronymic, "birth");
    EnterChain::setSuccessor(birth, "nationality");
    left->addWidget(captioned("  Фамилия:", surname));
    left->addWidget(captioned("  Имя:", name));
    left->addWidget(captioned("  Отчество:", patronymic));
    left->addWidget(captioned("  Дата рождения:", birth));
    left->addWidget(captioned("  Национальность:", nationality));
    auto* works = new DbCheckBox("Сотрудник работает");
    works->setDataSource(&dm.teacherSource, "status");
    left->addWidget(works);
    auto* worksCaption = new CaptionLabel("Какие имеете научные труды,\rизобретения:");
    worksCaption->setBold(true);
    worksCaption->setColor(QColor(128, 0, 0));
    left->addWidget(worksCaption);
    auto* memo = new DbMemo;
    memo->setDataSource(&dm.teacherSource, "nauch_r");
    memo->setFixedHeight(60);
    left->addWidget(memo);
    auto* navigator = new DbNavigator;
    navigator->setDataSource(&dm.teacherSource);
    left->addWidget(navigator);
    left->addStretch();
    columns->addWidget(personal, 3);

    // Middle: photo, key display, list box and date picker.
    auto* right = new GroupBox("Фото");
    auto* middle = new QVBoxLayout(right);
    auto* photo = new DbImage;
    photo->setFixedSize(114, 152);
    photo->setDataSource(&dm.teacherSource, "photo");
    middle->addWidget(photo, 0, Qt::AlignHCenter);
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new CaptionLabel("Шифр:"));
    auto* key = new DbLabel;
    key->setDataSource(&dm.teacherSource, "id_teacher");
    keyRow->addWidget(key, 1);
    middle->addLayout(keyRow);
    middle->addWidget(new CaptionLabel("Национальности:"));
    auto* list = new DbLookupListBox;
    list->setListSource(&dm.nationalitySource, "IDNationality", "Nationality");
    list->binding().setFollowsListCursor(true);
    list->setFixedHeight(90);
    middle->addWidget(list);
    middle->addWidget(new CaptionLabel("Дата прохождения:"));
    middle->addWidget(new DatePicker);
    middle->addStretch();
    columns->addWidget(right, 1);

    // Bottom: the grid with a three-level header and its navigator.
    auto* leave = new GroupBox("Отпуск");
    leave->setBoldCaption(true);
    auto* bottom = new QVBoxLayout(leave);
    auto* grid = new DbGrid;
    grid->setDataSource(&dm.holidaySource);
    grid->setColumns(holidayColumns());
    grid->setEnterMovesToNextCell(true);
    grid->setMultiSelect(true);
    bottom->addWidget(grid);
    auto* gridNavigator = new DbNavigator;
    gridNavigator->setVisibleButtons(DbNavigator::Insert | DbNavigator::Delete | DbNavigator::Post);
    gridNavigator->setDataSource(&dm.holidaySource);
    bottom->addWidget(gridNavigator, 0, Qt::AlignLeft);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(central);
    pageLayout->addWidget(leave, 1);
    window.setCentralWidget(page);

    auto* status = new TextStatusBar;
    status->setText("Иванова Мария Петровна");
    window.setStatusBar(status);
    window.resize(913, 718);
    window.show();

    const QStringList args = app.arguments();
    const int shot = args.indexOf("--screenshot");
    if (shot >= 0 && shot + 1 < args.size()) {
        const QString file = args[shot + 1];
        QTimer::singleShot(300, &window, [&window, file] {
            window.grab().save(file, "PNG");
            QApplication::quit();
        });
    }
    return app.exec();
}
