// The medical-examination tab over the embedded demo database: the unbound inputs
// and the list, the pending row that follows the place text, and "Сохранить" with and
// without a place.
#include "TabInspection.h"

#include "card/MedicalTab.h"
#include "ui/DatePicker.h"
#include "ui/DbEdit.h"
#include "ui/PageControl.h"

#include <QPushButton>

using namespace zel;
using cardtest::CardSession;
using cardtest::ColumnInfo;
using Kind = ui::GridColumn::Kind;

namespace {

constexpr int kPage = 7;

/// An employee handed over by the directory (which reads the examinations), on a
/// shown window with the medical tab in front.
struct MedicalSession : CardSession {
    int employee = 0;
    QLineEdit* place = nullptr;
    QLineEdit* note = nullptr;
    ui::DatePicker* picker = nullptr;
    QPushButton* save = nullptr;
    ui::DbGrid* grid = nullptr;

    explicit MedicalSession(bool withExaminations = true)
    {
        employee = scalar(withExaminations
                              ? QStringLiteral("select top 1 id_teacher from teacher_medosmotr where id_teacher <> 1 "
                                               "group by id_teacher having count(*) > 1")
                              : QStringLiteral("select top 1 id_teacher from TEACHER where id_teacher <> 1 and "
                                               "id_teacher not in (select id_teacher from teacher_medosmotr "
                                               "where id_teacher is not null)"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        loadEmployee(employee);
        directory()->close();
        window->PageControl1->showPage(kPage);
        QApplication::setActiveWindow(window.get());
        place = cardtest::control<QLineEdit>(*window, "Edit1");
        note = cardtest::control<QLineEdit>(*window, "Edit2");
        picker = cardtest::control<ui::DatePicker>(*window, "DateTimePicker1");
        save = cardtest::control<QPushButton>(*window, "RzBitBtn1");
        grid = cardtest::control<ui::DbGrid>(*window, "DBGridEh9");
    }

    TADOQuery& examinations() { return dm.ADOQ_teacher_medosmotr; }
    int stored() { return scalar(QStringLiteral("select count(*) from teacher_medosmotr where id_teacher = %1").arg(employee)); }
};

}  // namespace

class MedicalTabTest : public QObject {
    Q_OBJECT
private slots:
    void theInputsAreUnboundAndTheListShowsTheExaminations()
    {
        MedicalSession s;
        QCOMPARE(s.window->PageControl1->tabText(kPage), QStringLiteral("Медосмотр"));
        QVERIFY(s.window->findChild<MedicalTab*>());
        QVERIFY(s.place && s.note && s.picker && s.save && s.grid);
        QCOMPARE(cardtest::captionOf(s.picker), QStringLiteral("Дата прохождения"));
        QCOMPARE(cardtest::captionOf(s.place), QStringLiteral("Место прохождения"));
        QCOMPARE(cardtest::captionOf(s.note), QStringLiteral("Примечание:"));
        QCOMPARE(s.save->text(), QStringLiteral("Сохранить"));
        for (QWidget* input : {static_cast<QWidget*>(s.place), static_cast<QWidget*>(s.note),
                               static_cast<QWidget*>(s.picker), static_cast<QWidget*>(s.save)})
            QCOMPARE(cardtest::pageOf(*s.window, input), kPage);
        QVERIFY(!qobject_cast<ui::DbEdit*>(s.place));
        QVERIFY(!qobject_cast<ui::DbEdit*>(s.note));
        // The directory set the picker to now when it closed.
        QVERIFY(std::abs(s.picker->dateTime().secsTo(QDateTime::currentDateTime())) < 120);

        QCOMPARE(cardtest::groupOf(s.grid), QStringLiteral("Таблица проходжения медосмотра"));
        QCOMPARE(s.grid->dataSource(), &s.dm.DS_teacher_medosmotr);
        const QList<ColumnInfo> expected = {
            {QStringLiteral("medosmotr_date"), QStringLiteral("Дата"), Kind::Date},
            {QStringLiteral("medosmotr"), QStringLiteral("Место прохождения"), Kind::Text},
            {QStringLiteral("Descpintion"), QStringLiteral("Примечание"), Kind::Text},
        };
        cardtest::compareColumns(s.grid, expected);
        if (QTest::currentTestFailed())
            return;
        const auto server = s.rows(QStringLiteral("select medosmotr from teacher_medosmotr where id_teacher = %1 "
                                                  "order by id_teacher_medosmotr")
                                       .arg(s.employee));
        QCOMPARE(s.grid->model()->rowCount(), int(server.size()));
        for (int row = 0; row < int(server.size()); ++row)
            QCOMPARE(s.grid->model()->index(row, 1).data().toString(), server[row][0]);
    }

    void typingAPlaceAndDeletingItLeavesNoNewRow()
    {
        MedicalSession s;
        const int before = s.stored();
        const int shown = s.grid->model()->rowCount();
        QVERIFY(cardtest::focus(s.place));
        cardtest::typeText(s.place, QStringLiteral("ЦСМ"));
        QCOMPARE(s.examinations().State(), dsInsert);
        // One pending row, however many letters were typed.
        QCOMPARE(s.grid->model()->rowCount(), shown + 1);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(s.place, Qt::Key_Backspace);
        QVERIFY(s.place->text().isEmpty());
        QCOMPARE(s.examinations().State(), dsBrowse);
        QCOMPARE(s.grid->model()->rowCount(), shown);
        QCOMPARE(s.stored(), before);
        QVERIFY(s.messages().isEmpty());
    }

    void savingWithAPlaceStoresTheExaminationAndClearsTheInputs()
    {
        MedicalSession s;
        const int before = s.stored();
        const QDateTime when(QDate(2025, 3, 4), QTime(10, 20));
        s.picker->setDateTime(when);
        QVERIFY(cardtest::focus(s.place));
        const QString place = QStringLiteral("Поликлиника им. д'Артаньяна");
        cardtest::typeText(s.place, place);
        QVERIFY(cardtest::focus(s.note));
        cardtest::typeText(s.note, QStringLiteral("годен; 100%"));
        QTest::mouseClick(s.save, Qt::LeftButton);

        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown()[0].text, QStringLiteral("Запись сохранена"));
        QCOMPARE(s.dialogs.shown()[0].caption, QStringLiteral("Сообщение!!!"));
        QCOMPARE(s.dialogs.shown()[0].buttons, ui::DialogService::Buttons::Ok);
        QVERIFY(s.place->text().isEmpty());
        QVERIFY(s.note->text().isEmpty());
        QCOMPARE(s.examinations().State(), dsBrowse);

        QCOMPARE(s.stored(), before + 1);
        const auto saved = s.rows(QStringLiteral("select top 1 medosmotr, Descpintion, medosmotr_date from "
                                                 "teacher_medosmotr where id_teacher = %1 order by "
                                                 "id_teacher_medosmotr desc")
                                      .arg(s.employee));
        QCOMPARE(saved[0][0], place);
        QCOMPARE(saved[0][1], QStringLiteral("годен; 100%"));
        s.examinations().Last();
        QCOMPARE(s.examinations().FieldByName(QStringLiteral("medosmotr_date"))->AsDateTime(), when);
        // Listed last, as it has the highest key.
        QCOMPARE(s.grid->model()->rowCount(), before + 1);
        QCOMPARE(s.grid->model()->index(before, 1).data().toString(), place);
    }

    void anExaminationOfANewEmployeeWithoutKeyIsRefusedAndKeepsTheInputs()
    {
        MedicalSession s;
        const int orphansBefore = s.scalar(QStringLiteral("select count(*) from teacher_medosmotr where "
                                                          "id_teacher is null or id_teacher = 0"));
        s.window->PageControl1->showPage(0);
        QTest::mouseClick(s.window->SpeedButton2, Qt::LeftButton);
        s.dialogs.clear();
        s.window->PageControl1->showPage(kPage);
        QVERIFY(cardtest::focus(s.place));
        cardtest::typeText(s.place, QStringLiteral("Поликлиника №1"));
        QTest::mouseClick(s.save, Qt::LeftButton);

        QCOMPARE(s.dialogs.shown().size(), 1);
        QVERIFY2(s.dialogs.shown()[0].text.startsWith(QStringLiteral("Сначала сохраните сотрудника")),
                 qPrintable(s.dialogs.shown()[0].text));
        QCOMPARE(s.place->text(), QStringLiteral("Поликлиника №1"));
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from teacher_medosmotr where id_teacher is null or "
                                         "id_teacher = 0")),
                 orphansBefore);
    }

    void savingWithoutAPlaceAndWithoutRowsSaysThereIsNothingToSave()
    {
        MedicalSession s(false);
        QCOMPARE(s.grid->model()->rowCount(), 0);
        QTest::mouseClick(s.save, Qt::LeftButton);
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown()[0].text, QStringLiteral("Нет строки для сохранения"));
        QCOMPARE(s.dialogs.shown()[0].caption, QStringLiteral("Сообщение!!!"));
        QCOMPARE(s.stored(), 0);
    }

    void savingWithoutAPlacePostsTheRowEditedInTheList()
    {
        MedicalSession s;
        QVERIFY(cardtest::typeIntoCell(s.grid, 1, 2, QStringLiteral("повторно")));
        QCOMPARE(s.examinations().State(), dsEdit);
        const QString key = s.examinations().FieldByName(QStringLiteral("id_teacher_medosmotr"))->AsString();
        QTest::mouseClick(s.save, Qt::LeftButton);
        QCOMPARE(s.examinations().State(), dsBrowse);
        QCOMPARE(s.rows(QStringLiteral("select Descpintion from teacher_medosmotr where id_teacher_medosmotr = ") + key)[0][0],
                 QStringLiteral("повторно"));
        QVERIFY(s.messages().isEmpty());
    }

    void anErasedExaminationDateIsNullAndDoesNotEnableSave()
    {
        MedicalSession s;
        QVERIFY(cardtest::typeIntoCell(s.grid, 0, 0, QString()));
        QVERIFY(s.examinations().FieldByName(QStringLiteral("medosmotr_date"))->IsNull());
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(s.messages().isEmpty());
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<MedicalTabTest>(argc, argv);
}

#include "tst_medical_tab.moc"
