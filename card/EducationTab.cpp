#include "card/EducationTab.h"

#include "data/modules/CardStatements.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"
#include "ui/CaptionLabel.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupListBox.h"
#include "ui/DbNavigator.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zel {

using namespace card;

namespace {

constexpr int kListHeight = 329;

}  // namespace

EducationTab::EducationTab(TDM_PUM& dm, QWidget* parent)
    : CardTab(QStringLiteral("TabSheet7"), parent), m_dm(dm)
{
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(buildEducationList(dm));
    top->addWidget(buildEducationGroup(dm), 1);

    m_documentsGroup = addGroup(QString(), this, "GroupBox_obrazovanie_teacher");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_documentsGroup, 1);
}

EducationTab::~EducationTab() = default;

QWidget* EducationTab::buildEducationList(TDM_PUM& dm)
{
    auto* group = addGroup(QString(), this, "GroupBox_educations");
    group->setFixedWidth(200);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    DBNavigator4 = addNavigator({"DBNavigator4",
                                 &dm.DS_Education,
                                 ui::DbNavigator::Insert | ui::DbNavigator::Delete,
                                 {{ui::DbNavigator::Insert, "Добавить образование"},
                                  {ui::DbNavigator::Delete, "Удалить образование"}}},
                                group);
    layout->addWidget(DBNavigator4, 0, Qt::AlignLeft);

    auto* caption = new ui::CaptionLabel(QStringLiteral("Образования:"), group);
    layout->addWidget(caption);
    DBLookupListBox1 = new ui::DbLookupListBox(group);
    DBLookupListBox1->setObjectName(QStringLiteral("DBLookupListBox1"));
    DBLookupListBox1->setListSource(&dm.DS_Education, QStringLiteral("id_educ"), QStringLiteral("RecInfo"));
    DBLookupListBox1->binding().setFollowsListCursor(true);
    DBLookupListBox1->setFixedHeight(kListHeight);
    caption->setBuddy(DBLookupListBox1);
    layout->addWidget(DBLookupListBox1);
    layout->addStretch(1);
    return group;
}

QWidget* EducationTab::buildEducationGroup(TDM_PUM& dm)
{
    TDataSource* education = &dm.DS_Education;
    // The Enter chain runs down the group; the diploma number names the passport
    // series edit of the first tab, which is never shown with this one.
    const std::vector<ControlRow> rows = {
        {"DBLookupComboBox5", ControlKind::Lookup, education, "id_edu", nullptr,
         {&dm.DS_Edu, "id_edu", "education"}, SaveArming::None, "DBEdit19", "RzBitBtn5"},
        {"DBEdit19", ControlKind::Edit, education, "vuz", "Название учебного заведения:", {}, SaveArming::None,
         "DBDateTimeEditEh8"},
        {"DBDateTimeEditEh8", ControlKind::Date, education, "Date_enter", "Дата поступления:", {},
         SaveArming::None, "DBDateTimeEditEh9"},
        {"DBDateTimeEditEh9", ControlKind::Date, education, "Date_End", "Дата окончания:", {}, SaveArming::Change,
         "DBEdit8"},
        {"DBEdit8", ControlKind::Edit, education, "Faculty", "Факультет или отделение:", {}, SaveArming::Change,
         "DBLookupComboBox9"},
        {"DBLookupComboBox9", ControlKind::Lookup, education, "id_educ_t", "Вид обучения:",
         {&dm.DS_Educ_T, "id_educ_t", "Educ_type"}, SaveArming::Click, "DBLookupComboBox10"},
        {"DBLookupComboBox10", ControlKind::Lookup, education, "id_quit_course",
         "Если не окончил, то с какого курса ушел", {&dm.DS_Quit_Course, "id_quit_course", "cource"},
         SaveArming::Click, "DBLookupComboBox15", nullptr, "+", CaptionPlace::Above},
        {"DBLookupComboBox15", ControlKind::Lookup, education, "id_special",
         "Специальность по диплому (свидетельству):", {&dm.DS_Speciality, "id_special", "p25-2"},
         SaveArming::Click, "DBLookupComboBox18", "Button1", "+", CaptionPlace::Above},
        {"DBLookupComboBox18", ControlKind::Lookup, education, "id_diploma_kval",
         "Квалификация по диплому (свидетельству):", {&dm.DS_diploma_kval, "id_diploma_kval", "diploma_kval"},
         SaveArming::Click, "DBEdit23", "Button9", "+", CaptionPlace::Above},
        {"DBEdit23", ControlKind::Edit, education, "Diploma_No", "№Диплома (свидетельства, др.)", {},
         SaveArming::None, "DBEdit16"},
    };
    auto* group = addGroup(QStringLiteral("Образование"), this, "GroupBox_education");
    addControls(group, rows);
    controlGrid(group)->setRowStretch(controlGrid(group)->rowCount(), 1);
    return group;
}

void EducationTab::SetDocumentsModule(TDM* documents)
{
    if (m_documents || !documents)
        return;
    m_documents = documents;
    buildDocumentsGroup(*documents);
    // The module goes before the window at the end of the run.
    connect(documents, &TDM::aboutToBeDestroyed, this, [this] {
        qDeleteAll(m_documentsGroup->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
        delete m_documentsGroup->layout();
        DBGridEh10 = nullptr;
        DBNavigator5 = nullptr;
    });
}

void EducationTab::buildDocumentsGroup(TDM& documents)
{
    TDataSource* source = &documents.DS_obrazovanie_teacher;
    const std::vector<ControlRow> rows = {
        {"DBLookupComboboxEh4", ControlKind::Lookup, source, "id_teacher_struktura",
         "Структура выдавщая документ: ",
         {&documents.DS_teacher_struktura, "id_teacher_struktura", "teacher_struktura"}, SaveArming::None, nullptr,
         "RzBitBtn2"},
        {"DBDateTimeEditEh10", ControlKind::Date, source, "Dates", " Дата протокола:"},
        {"DBEdit27", ControlKind::Edit, source, "Number", " Номер протокола:"},
        {"DBLookupComboboxEh5", ControlKind::Lookup, source, "id_teacher_stepen", " Научная степень:",
         {&documents.DS_teacher_stepen, "id_teacher_stepen", "teacher_stepen"}, SaveArming::None, nullptr,
         "RzBitBtn3"},
    };
    // The documents are not part of Save: their date does not arm it.
    const GridRow grid = {
        "DBGridEh10",
        source,
        {
            {"Dates", "Дата", ColumnKind::Date, false, true, "dd.MM.yyyy", 75},
            {"Number", "Номер", ColumnKind::Text, false, false, nullptr, 130},
            {"s_teacher_struktura", "Структура", ColumnKind::Lookup, false, false, nullptr, 110},
            {"teacher_stepen", "Степень", ColumnKind::Lookup, false, false, nullptr, 140},
        },
    };
    const NavigatorRow navigator = {
        "DBNavigator5",
        source,
        ui::DbNavigator::Insert | ui::DbNavigator::Delete | ui::DbNavigator::Post,
    };

    auto* fields = new QWidget(m_documentsGroup);
    fields->setFixedWidth(380);
    addControls(fields, rows);
    controlGrid(fields)->setRowStretch(controlGrid(fields)->rowCount(), 1);

    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    DBGridEh10 = addGrid(grid, m_documentsGroup);
    listColumn->addWidget(DBGridEh10, 1);
    DBNavigator5 = addNavigator(navigator, m_documentsGroup);
    listColumn->addWidget(DBNavigator5, 0, Qt::AlignLeft);

    auto* layout = new QHBoxLayout(m_documentsGroup);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(fields);
    layout->addLayout(listColumn, 1);
}

void EducationTab::TabSheet7Show()
{
    if (!m_documents)
        return;
    TDM& documents = *m_documents;
    for (TADOQuery* dictionary : {&documents.ADOQ_teacher_struktura, &documents.ADOQ_teacher_stepen}) {
        dictionary->Close();
        dictionary->Open();
    }
    TADOQuery& list = documents.ADOQ_obrazovanie_teacher;
    list.Close();
    // Without an employee the statement would end at "=": the list stays empty.
    const QString key = CardStatements::CurrentEmployeeKey(m_dm);
    if (key.isEmpty())
        return;
    list.SetSQL(TDM::DocumentsStatement(key));
    list.Open();
}

void EducationTab::showEvent(QShowEvent* event)
{
    CardTab::showEvent(event);
    // Only the tab becoming the visible one, not the window coming back from the task bar.
    if (!event->spontaneous())
        ui::runGuarded(this, [this] { TabSheet7Show(); });
}

}  // namespace zel
