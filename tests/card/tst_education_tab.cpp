// The education tab over the embedded demo database: the list of education rows,
// the education group with its Enter chain, the post-graduate documents read every
// time the tab is shown, and an empty document list when no employee is loaded.
#include "TabInspection.h"

#include "card/EducationTab.h"
#include "data/modules/TDM.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbLookupListBox.h"
#include "ui/EnterChain.h"
#include "ui/PageControl.h"

#include <QPushButton>

using namespace zel;
using cardtest::CardSession;
using cardtest::ColumnInfo;
using Kind = ui::GridColumn::Kind;

namespace {

constexpr int kPage = 6;

QString documentsStatement(int employee)
{
    return QStringLiteral("Select * FROM obrazovanie_teacher WHERE id_teacher =%1 ORDER BY Dates").arg(employee);
}

/// A shown card window with the second data module attached, as at start-up.
struct EducationSession : CardSession {
    TDM docs{dm};

    EducationSession()
    {
        window->SetDocumentsModule(&docs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }

    /// An employee with at least two education rows and a post-graduate document.
    int employeeWithDocuments()
    {
        return scalar(QStringLiteral(
            "select top 1 e.id_teacher from Educ e where e.id_teacher <> 1 and e.id_teacher in "
            "(select id_teacher from obrazovanie_teacher) group by e.id_teacher having count(*) > 1"));
    }

    QWidget* captioned(const char* caption)
    {
        return cardtest::controlCaptioned(*window, kPage, QString::fromUtf8(caption));
    }

    /// The control of the tab bound to a field of a data source.
    template <typename Control>
    Control* boundTo(TDataSource* source, const char* field)
    {
        for (Control* c : window->PageControl1->widget(kPage)->findChildren<Control*>()) {
            if constexpr (std::is_same_v<Control, ui::DbLookupComboBox>) {
                if (c->binding().dataLink().DataSource() == source
                    && c->binding().dataLink().fieldName() == QString::fromLatin1(field))
                    return c;
            } else if (c->dataLink().DataSource() == source && c->dataLink().fieldName() == QString::fromLatin1(field)) {
                return c;
            }
        }
        return nullptr;
    }
};

struct Selector {
    const char* caption;  ///< empty: the selector has no caption
    const char* field;
    TDataSource* list;
    const char* key;
    const char* text;
    const char* table;
    const char* button;
};

QStringList columnTexts(CardSession& s, const QString& statement)
{
    QStringList texts;
    for (const QStringList& row : s.rows(statement))
        texts << row[0];
    texts.sort();
    return texts;
}

}  // namespace

class EducationTabTest : public QObject {
    Q_OBJECT
private slots:
    void theListShowsEveryEducationRowAndPickingOneMakesItCurrent()
    {
        EducationSession s;
        QCOMPARE(s.window->PageControl1->tabText(kPage), QStringLiteral("Образование"));
        QVERIFY(s.window->findChild<EducationTab*>());
        auto* list = cardtest::control<ui::DbLookupListBox>(*s.window, "DBLookupListBox1");
        QVERIFY(list);
        QCOMPARE(list->height(), 329);
        QCOMPARE(cardtest::captionOf(list), QStringLiteral("Образования:"));
        QCOMPARE(list->binding().model()->listSource(), &s.dm.DS_Education);
        QCOMPARE(list->binding().model()->keyFieldName(), QStringLiteral("id_educ"));

        const int employee = s.employeeWithDocuments();
        s.loadEmployee(employee);
        s.window->PageControl1->showPage(kPage);
        const auto educations =
            s.rows(QStringLiteral("select Faculty, vuz from Educ where id_teacher = %1").arg(employee));
        QVERIFY(educations.size() > 1);
        QCOMPARE(list->model()->rowCount(), int(educations.size()));
        for (int i = 0; i < int(educations.size()); ++i) {
            const QString faculty = educations[i][0] == QStringLiteral("NULL") ? QString() : educations[i][0];
            QCOMPARE(list->model()->index(i, 0).data().toString(), QStringLiteral("%1 - %2").arg(i + 1).arg(faculty));
        }

        // A click on the second line makes it the current education row.
        const QRect second = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(s.dm.ADOQ_Education.RecNo(), 2);
        auto* vuz = s.boundTo<ui::DbEdit>(&s.dm.DS_Education, "vuz");
        QCOMPARE(vuz->text(), educations[1][1] == QStringLiteral("NULL") ? QString() : educations[1][1]);

        auto* navigator = cardtest::navigatorOn(*s.window, &s.dm.DS_Education);
        QVERIFY(navigator);
        QCOMPARE(cardtest::buttonsOf(navigator), (QStringList{"Insert", "Delete"}));
        QCOMPARE(navigator->button(ui::DbNavigator::Insert)->toolTip(), QStringLiteral("Добавить образование"));
        QCOMPARE(navigator->button(ui::DbNavigator::Delete)->toolTip(), QStringLiteral("Удалить образование"));
        QCOMPARE(navigator->parentWidget(), list->parentWidget());
    }

    void theEducationGroupNamesEveryFieldAndDictionary()
    {
        EducationSession s;
        s.loadEmployee(s.employeeWithDocuments());
        s.window->PageControl1->showPage(kPage);
        const Selector selectors[] = {
            {"", "id_edu", &s.dm.DS_Edu, "id_edu", "education", "Edu", "RzBitBtn5"},
            {"Вид обучения:", "id_educ_t", &s.dm.DS_Educ_T, "id_educ_t", "Educ_type", "Educ_t", nullptr},
            {"Если не окончил, то с какого курса ушел", "id_quit_course", &s.dm.DS_Quit_Course, "id_quit_course",
             "cource", "Quit_Course", nullptr},
            {"Специальность по диплому (свидетельству):", "id_special", &s.dm.DS_Speciality, "id_special",
             "[p25-2]", "specialPUM", "Button1"},
            {"Квалификация по диплому (свидетельству):", "id_diploma_kval", &s.dm.DS_diploma_kval,
             "id_diploma_kval", "diploma_kval", "diploma_kval", "Button9"},
        };
        for (const Selector& row : selectors) {
            auto* box = s.boundTo<ui::DbLookupComboBox>(&s.dm.DS_Education, row.field);
            QVERIFY2(box, row.field);
            QCOMPARE(cardtest::groupOf(box), QStringLiteral("Образование"));
            if (*row.caption)
                QCOMPARE(s.captioned(row.caption), static_cast<QWidget*>(box));
            else
                QCOMPARE(cardtest::captionOf(box), QStringLiteral("<no caption>"));
            QCOMPARE(box->binding().model()->listSource(), row.list);
            QCOMPARE(box->binding().model()->keyFieldName(), QString::fromLatin1(row.key));
            QStringList offered = cardtest::entriesOf(box);
            offered.sort();
            QCOMPARE(offered, columnTexts(s, QStringLiteral("select %1 from %2").arg(row.text, row.table)));
            if (row.button) {
                auto* button = cardtest::control<QPushButton>(*s.window, row.button);
                QVERIFY(button);
                QCOMPARE(button->parentWidget(), box->parentWidget());
                QVERIFY(button->geometry().left() >= box->geometry().right());
            }
        }
        const std::pair<const char*, const char*> edits[] = {
            {"Название учебного заведения:", "vuz"},
            {"Факультет или отделение:", "Faculty"},
            {"№Диплома (свидетельства, др.)", "Diploma_No"},
        };
        for (const auto& [caption, field] : edits) {
            auto* edit = qobject_cast<ui::DbEdit*>(s.captioned(caption));
            QVERIFY2(edit, caption);
            QCOMPARE(edit->dataLink().DataSource(), &s.dm.DS_Education);
            QCOMPARE(edit->dataLink().fieldName(), QString::fromLatin1(field));
        }
        const std::pair<const char*, const char*> dates[] = {
            {"Дата поступления:", "Date_enter"},
            {"Дата окончания:", "Date_End"},
        };
        for (const auto& [caption, field] : dates) {
            auto* edit = qobject_cast<ui::DbDateEdit*>(s.captioned(caption));
            QVERIFY2(edit, caption);
            QCOMPARE(edit->dataLink().DataSource(), &s.dm.DS_Education);
            QCOMPARE(edit->dataLink().fieldName(), QString::fromLatin1(field));
        }
        QCOMPARE(qobject_cast<ui::DbEdit*>(s.captioned("Факультет или отделение:"))->objectName(),
                 QStringLiteral("DBEdit8"));
    }

    void enterWalksTheEducationGroupAndStopsAtTheDiplomaNumber()
    {
        EducationSession s;
        s.loadEmployee(s.employeeWithDocuments());
        s.window->PageControl1->showPage(kPage);
        const char* chain[] = {"id_edu", "vuz", "Date_enter", "Date_End", "Faculty", "id_educ_t", "id_quit_course",
                               "id_special", "id_diploma_kval", "Diploma_No"};
        QList<QWidget*> controls;
        for (const char* field : chain) {
            QWidget* c = s.boundTo<ui::DbLookupComboBox>(&s.dm.DS_Education, field);
            if (!c)
                c = s.boundTo<ui::DbEdit>(&s.dm.DS_Education, field);
            if (!c)
                c = s.boundTo<ui::DbDateEdit>(&s.dm.DS_Education, field);
            QVERIFY2(c, field);
            controls << c;
        }
        QVERIFY(cardtest::focus(controls[0]));
        for (qsizetype i = 1; i < controls.size(); ++i) {
            cardtest::pressEnter(QApplication::focusWidget());
            QVERIFY2(controls[i]->hasFocus(), chain[i]);
        }
        // The diploma number names the passport series edit of the first tab, which is hidden.
        QCOMPARE(ui::EnterChain::successor(controls.back()), QStringLiteral("DBEdit16"));
        cardtest::pressEnter(controls.back());
        QVERIFY(controls.back()->hasFocus());
        QVERIFY(s.messages().isEmpty());
    }

    void changingTheFacultyEnablesSaveOnEveryChange()
    {
        EducationSession s;
        s.loadEmployee(s.employeeWithDocuments());
        s.window->PageControl1->showPage(kPage);
        auto* faculty = qobject_cast<ui::DbEdit*>(s.captioned("Факультет или отделение:"));
        QVERIFY(cardtest::focus(faculty));
        faculty->end(false);
        cardtest::typeText(faculty, QStringLiteral("ф"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        s.window->SetSaveEnabled(false);
        cardtest::typeText(faculty, QStringLiteral("т"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
    }

    void theDocumentsGroupNamesItsFieldsAndColumns()
    {
        EducationSession s;
        s.loadEmployee(s.employeeWithDocuments());
        s.window->PageControl1->showPage(kPage);
        TDataSource* documents = &s.docs.DS_obrazovanie_teacher;

        auto* structure = qobject_cast<ui::DbLookupComboBox*>(s.captioned("Структура выдавщая документ: "));
        QVERIFY(structure);
        QCOMPARE(structure->binding().dataLink().DataSource(), documents);
        QCOMPARE(structure->binding().model()->listSource(), &s.docs.DS_teacher_struktura);
        QStringList offered = cardtest::entriesOf(structure);
        offered.sort();
        QCOMPARE(offered, columnTexts(s, QStringLiteral("select teacher_struktura from teacher_struktura")));
        auto* degree = qobject_cast<ui::DbLookupComboBox*>(s.captioned(" Научная степень:"));
        QVERIFY(degree);
        QCOMPARE(degree->binding().dataLink().DataSource(), documents);
        QCOMPARE(degree->binding().model()->listSource(), &s.docs.DS_teacher_stepen);
        offered = cardtest::entriesOf(degree);
        offered.sort();
        QCOMPARE(offered, columnTexts(s, QStringLiteral("select teacher_stepen from teacher_stepen")));
        auto* date = qobject_cast<ui::DbDateEdit*>(s.captioned(" Дата протокола:"));
        QVERIFY(date);
        QCOMPARE(date->dataLink().DataSource(), documents);
        QCOMPARE(date->dataLink().fieldName(), QStringLiteral("Dates"));
        auto* number = qobject_cast<ui::DbEdit*>(s.captioned(" Номер протокола:"));
        QVERIFY(number);
        QCOMPARE(number->dataLink().DataSource(), documents);
        QCOMPARE(number->dataLink().fieldName(), QStringLiteral("Number"));
        for (const char* button : {"RzBitBtn2", "RzBitBtn3"})
            QVERIFY2(cardtest::control<QPushButton>(*s.window, button), button);

        // The selector shows the document's structure and writes its key.
        const auto first = s.rows(QStringLiteral(
            "select top 1 s.teacher_struktura, d.Number from obrazovanie_teacher d join teacher_struktura s "
            "on s.id_teacher_struktura = d.id_teacher_struktura where d.id_teacher = %1 order by d.Dates")
                                      .arg(s.dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsInteger()));
        s.docs.ADOQ_obrazovanie_teacher.First();
        QCOMPARE(structure->currentText(), first[0][0]);
        QCOMPARE(number->text(), first[0][1]);

        auto* grid = cardtest::control<ui::DbGrid>(*s.window, "DBGridEh10");
        QVERIFY(grid);
        QCOMPARE(grid->dataSource(), documents);
        const QList<ColumnInfo> expected = {
            {QStringLiteral("Dates"), QStringLiteral("Дата"), Kind::Date},
            {QStringLiteral("Number"), QStringLiteral("Номер"), Kind::Text},
            {QStringLiteral("s_teacher_struktura"), QStringLiteral("Структура"), Kind::Lookup},
            {QStringLiteral("teacher_stepen"), QStringLiteral("Степень"), Kind::Lookup},
        };
        cardtest::compareColumns(grid, expected);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(grid->tableModel()->column(0).displayFormat, QStringLiteral("dd.MM.yyyy"));
        auto* navigator = cardtest::navigatorOn(*s.window, documents);
        QVERIFY(navigator);
        QCOMPARE(cardtest::buttonsOf(navigator), (QStringList{"Insert", "Delete", "Post"}));
    }

    void showingTheTabTwiceReadsTheDocumentsTwice()
    {
        EducationSession s;
        const int employee = s.employeeWithDocuments();
        s.loadEmployee(employee);
        s.directory()->close();
        cardtest::StatementTrace trace;
        QVERIFY(s.window->PageControl1->userSelect(kPage));
        auto* grid = cardtest::control<ui::DbGrid>(*s.window, "DBGridEh10");
        const int documents = s.scalar(
            QStringLiteral("select count(*) from obrazovanie_teacher where id_teacher = %1").arg(employee));
        QVERIFY(documents > 0);
        QCOMPARE(grid->model()->rowCount(), documents);
        QCOMPARE(trace.count(documentsStatement(employee)), 1);

        // A document added elsewhere appears when the tab is shown again.
        TADOQuery insert;
        insert.SetConnection(&s.dm.ADO_PUM);
        insert.SetSQL(QStringLiteral("insert into obrazovanie_teacher (id_teacher, Number, Dates) values (%1, N'77', "
                                     "'2001-05-06')")
                          .arg(employee));
        insert.ExecSQL();
        QVERIFY(s.window->PageControl1->userSelect(0));
        QCOMPARE(grid->model()->rowCount(), documents);
        QVERIFY(s.window->PageControl1->userSelect(kPage));
        QCOMPARE(trace.count(documentsStatement(employee)), 2);
        QCOMPARE(grid->model()->rowCount(), documents + 1);
        // Both dictionaries were read again each time.
        QCOMPARE(trace.containing(QStringLiteral("FROM       teacher_struktura")).size(), 2);
        QCOMPARE(trace.containing(QStringLiteral("FROM       teacher_stepen")).size(), 2);
        QVERIFY(s.messages().isEmpty());
    }

    void withNoEmployeeTheDocumentListIsEmptyAndNothingIsSent()
    {
        EducationSession s;
        cardtest::StatementTrace trace;
        s.window->PageControl1->showPage(kPage);
        auto* grid = cardtest::control<ui::DbGrid>(*s.window, "DBGridEh10");
        QCOMPARE(grid->model()->rowCount(), 0);
        QVERIFY(trace.containing(QStringLiteral("obrazovanie_teacher")).isEmpty());
        QVERIFY(s.messages().isEmpty());

        // The documents of an employee shown before do not stay on an emptied card.
        const int employee = s.employeeWithDocuments();
        s.loadEmployee(employee);
        s.window->PageControl1->showPage(0);
        s.window->PageControl1->showPage(kPage);
        QVERIFY(grid->model()->rowCount() > 0);
        s.search(QStringLiteral("Щщщъъъ"));
        QVERIFY(s.dm.ADO_TEACHER.IsEmpty());
        trace.clear();
        s.window->PageControl1->showPage(0);
        s.window->PageControl1->showPage(kPage);
        QCOMPARE(grid->model()->rowCount(), 0);
        QVERIFY(trace.containing(QStringLiteral("obrazovanie_teacher")).isEmpty());
        QVERIFY(s.messages().isEmpty());
    }

    void anErasedDocumentDateIsNullAndDoesNotEnableSave()
    {
        EducationSession s;
        s.loadEmployee(s.employeeWithDocuments());
        s.window->PageControl1->showPage(kPage);
        auto* grid = cardtest::control<ui::DbGrid>(*s.window, "DBGridEh10");
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(cardtest::typeIntoCell(grid, 0, 0, QString()));
        TADOQuery& documents = s.docs.ADOQ_obrazovanie_teacher;
        QVERIFY(documents.FieldByName(QStringLiteral("Dates"))->IsNull());
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        const QString key = documents.FieldByName(QStringLiteral("id_obrazovanie_teacher"))->AsString();
        documents.Post();
        QCOMPARE(s.rows(QStringLiteral("select Dates from obrazovanie_teacher where id_obrazovanie_teacher = ") + key)[0][0],
                 QStringLiteral("NULL"));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<EducationTabTest>(argc, argv);
}

#include "tst_education_tab.moc"
