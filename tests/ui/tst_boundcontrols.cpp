#include "UiTestSupport.h"

#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbImage.h"
#include "ui/DbLabel.h"
#include "ui/DbMemo.h"
#include "ui/ScriptedDialogService.h"

#include "data/dataset/TField.h"

#include <QImage>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace zel;
using namespace zel::ui;
using zel::db::SqlType;

class BoundControlsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void typingIntoEmptyDataSetInsertsAndPostStoresText();
    void loadingRowsFiresNoUserChange();
    void focusLeaveWritesPendingText();
    void readOnlyFieldRefusesTyping();
    void dateEditorEmptyFullAndPartialDates();
    void checkBoxWritesBoolean();
    void imageStoresBitmapBytes();

private:
    fake::Table* m_teacher = nullptr;
};

void BoundControlsTest::init()
{
    auto& db = fake::Database::instance();
    db.reset();
    m_teacher = &db.create("Teacher", {{"id_teacher", SqlType::Int},
                                       {"p26", SqlType::NVarChar, 12},
                                       {"status", SqlType::Bit},
                                       {"d_b", SqlType::Date},
                                       {"notes", SqlType::NVarChar, 200},
                                       {"photo", SqlType::VarBinary, -1}});
}

void BoundControlsTest::typingIntoEmptyDataSetInsertsAndPostStoresText()
{
    support::Query teacher(support::openConnection(), "Teacher");
    int inserts = 0;
    teacher->AfterInsert = [&](TDataSet&) { ++inserts; };
    teacher->Open();
    QVERIFY(teacher->IsEmpty());

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* surname = new DbEdit;
    auto* other = new QLineEdit;
    layout->addWidget(surname);
    layout->addWidget(other);
    surname->setDataSource(teacher.source.get(), "p26");
    QCOMPARE(surname->maxLength(), 12);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(support::focus(surname));

    int changes = 0;
    connect(surname, &DbEdit::changed, [&] { ++changes; });
    support::type(surname, "Иванов");
    QCOMPARE(surname->text(), QString("Иванов"));
    QCOMPARE(teacher->State(), dsInsert);
    QCOMPARE(inserts, 1);
    QCOMPARE(changes, 6);

    // Still focused: the text has not been committed; Post asks for it.
    teacher->Post();
    QCOMPARE(teacher->State(), dsBrowse);
    QCOMPARE(int(m_teacher->rows.size()), 1);
    QCOMPARE(m_teacher->rows[0][1].toString(), QString("Иванов"));
    QCOMPARE(surname->text(), QString("Иванов"));
}

void BoundControlsTest::loadingRowsFiresNoUserChange()
{
    m_teacher->add({QVariant(), "Петров", true, QDate(1970, 5, 1), "первая"});
    m_teacher->add({QVariant(), "Сидорова", false, QVariant(), "вторая"});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new DbEdit;
    auto* date = new DbDateEdit;
    auto* check = new DbCheckBox("Работает");
    auto* memo = new DbMemo;
    auto* label = new DbLabel;
    for (QWidget* w : std::initializer_list<QWidget*>{edit, date, check, memo, label})
        layout->addWidget(w);
    int userChanges = 0;
    int textSignals = 0;
    connect(edit, &DbEdit::changed, [&] { ++userChanges; });
    connect(edit, &QLineEdit::textChanged, [&] { ++textSignals; });
    connect(date, &DbDateEdit::changed, [&] { ++userChanges; });
    connect(check, &DbCheckBox::changed, [&] { ++userChanges; });
    connect(memo, &DbMemo::changed, [&] { ++userChanges; });
    edit->setDataSource(teacher.source.get(), "p26");
    date->setDataSource(teacher.source.get(), "d_b");
    check->setDataSource(teacher.source.get(), "status");
    memo->setDataSource(teacher.source.get(), "notes");
    label->setDataSource(teacher.source.get(), "id_teacher");
    window.show();

    QCOMPARE(edit->text(), QString("Петров"));
    QCOMPARE(date->displayText(), QString("01.05.1970"));
    QVERIFY(check->isChecked());
    QCOMPARE(memo->toPlainText(), QString("первая"));
    QCOMPARE(label->text(), QString("1"));

    teacher->Next();
    QCOMPARE(edit->text(), QString("Сидорова"));
    QCOMPARE(date->displayText(), QString("  .  .    "));
    QVERIFY(!check->isChecked());
    QCOMPARE(memo->toPlainText(), QString("вторая"));
    QCOMPARE(label->text(), QString("2"));

    teacher->Close();
    QVERIFY(edit->text().isEmpty());
    QVERIFY(label->text().isEmpty());
    teacher->Open();
    QCOMPARE(edit->text(), QString("Петров"));

    QCOMPARE(userChanges, 0);
    QCOMPARE(textSignals, 0);
    QCOMPARE(teacher->State(), dsBrowse);

    // The user's typing is a change.
    QVERIFY(support::focus(edit));
    support::type(edit, "а");
    QCOMPARE(userChanges, 1);
    QCOMPARE(teacher->State(), dsEdit);
    // Moving to another row posts the typed text.
    teacher->Next();
    QCOMPARE(m_teacher->rows[0][1].toString(), QString("Петрова"));
}

void BoundControlsTest::focusLeaveWritesPendingText()
{
    m_teacher->add({QVariant(), "Петров"});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new DbEdit;
    auto* memo = new DbMemo;
    auto* other = new QLineEdit;
    layout->addWidget(edit);
    layout->addWidget(memo);
    layout->addWidget(other);
    edit->setDataSource(teacher.source.get(), "p26");
    memo->setDataSource(teacher.source.get(), "notes");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(support::focus(edit));
    edit->selectAll();
    support::type(edit, "Орлов");
    QCOMPARE(teacher->FieldByName("p26")->AsString(), QString("Петров"));
    QVERIFY(support::focus(memo));
    QCOMPARE(teacher->FieldByName("p26")->AsString(), QString("Орлов"));
    support::type(memo, "заметка");
    // Typing in another control does not undo the first one's value.
    QCOMPARE(edit->text(), QString("Орлов"));
    QVERIFY(support::focus(other));
    QCOMPARE(teacher->FieldByName("notes")->AsString(), QString("заметка"));

    // Escape drops what was typed.
    QVERIFY(support::focus(edit));
    support::type(edit, "xyz");
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QString("Орлов"));

    teacher->Cancel();
    QCOMPARE(edit->text(), QString("Петров"));
    QVERIFY(memo->toPlainText().isEmpty());
}

void BoundControlsTest::readOnlyFieldRefusesTyping()
{
    m_teacher->add({QVariant(), "Петров"});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();
    teacher->FieldByName("p26")->SetReadOnly(true);
    DbEdit edit;
    edit.setDataSource(teacher.source.get(), "p26");
    edit.show();
    QVERIFY(support::focus(&edit));
    support::type(&edit, "x");
    QCOMPARE(edit.text(), QString("Петров"));
    QCOMPARE(teacher->State(), dsBrowse);

    // A read-only edit still reports clicks.
    teacher->FieldByName("p26")->SetReadOnly(false);
    edit.setReadOnly(true);
    int clicks = 0;
    connect(&edit, &DbEdit::clicked, [&] { ++clicks; });
    QTest::mouseClick(&edit, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    support::type(&edit, "x");
    QCOMPARE(teacher->State(), dsBrowse);
}

void BoundControlsTest::dateEditorEmptyFullAndPartialDates()
{
    m_teacher->add({QVariant(), "Петров", QVariant(), QDate(1970, 5, 1)});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();
    ScriptedDialogService dialogs;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* date = new DbDateEdit;
    auto* other = new QLineEdit;
    layout->addWidget(date);
    layout->addWidget(other);
    date->setDataSource(teacher.source.get(), "d_b");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Erasing every digit stores NULL.
    QVERIFY(support::focus(date));
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    QCOMPARE(date->displayText(), QString("  .  .    "));
    QVERIFY(support::focus(other));
    QVERIFY(teacher->FieldByName("d_b")->IsNull());
    QCOMPARE(teacher->State(), dsEdit);

    // A complete date is stored as typed.
    QVERIFY(support::focus(date));
    date->setCursorPosition(0);
    support::type(date, "24121999");
    QCOMPARE(date->date(), QDate(1999, 12, 24));
    QVERIFY(support::focus(other));
    QCOMPARE(teacher->FieldByName("d_b")->Value().toDate(), QDate(1999, 12, 24));

    // A partly typed date is refused, not taken for NULL.
    QVERIFY(support::focus(date));
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    date->setCursorPosition(0);
    support::type(date, "123");
    QVERIFY(support::focus(other));
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].icon, DialogService::Icon::Error);
    QCOMPARE(teacher->FieldByName("d_b")->Value().toDate(), QDate(1999, 12, 24));
    QCOMPARE(date->displayText(), QString("12.3 .    "));
    QVERIFY(QTest::qWaitFor([date] { return date->hasFocus(); }, 1000));
}

void BoundControlsTest::checkBoxWritesBoolean()
{
    m_teacher->add({QVariant(), "Петров", false});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();
    DbCheckBox check("Сотрудник работает");
    int changes = 0;
    connect(&check, &DbCheckBox::changed, [&] { ++changes; });
    check.setDataSource(teacher.source.get(), "status");
    check.show();
    QVERIFY(!check.isChecked());
    check.click();
    QCOMPARE(changes, 1);
    QVERIFY(teacher->FieldByName("status")->AsBoolean());
    teacher->Post();
    QCOMPARE(m_teacher->rows[0][2].toBool(), true);
}

void BoundControlsTest::imageStoresBitmapBytes()
{
    m_teacher->add({QVariant(), "Петров"});
    support::Query teacher(support::openConnection(), "Teacher");
    teacher->Open();
    DbImage image;
    image.resize(114, 152);
    image.setDataSource(teacher.source.get(), "photo");
    QVERIFY(image.picture().isNull());

    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(QColor(200, 10, 10));
    QVERIFY(image.setPicture(picture));
    teacher->Post();
    const QByteArray stored = m_teacher->rows[0][5].toByteArray();
    QVERIFY(stored.startsWith("BM"));
    QCOMPARE(image.picture().size(), QSize(30, 40));
    QCOMPARE(image.picture().pixelColor(5, 5), QColor(200, 10, 10));
    // The picture is drawn stretched over the frame.
    const QImage shown = image.grab().toImage();
    QCOMPARE(shown.pixelColor(57, 76), QColor(200, 10, 10));

    QVERIFY(image.clearPicture());
    teacher->Post();
    QVERIFY(m_teacher->rows[0][5].isNull());
    QVERIFY(image.picture().isNull());
}

QTEST_MAIN(BoundControlsTest)
#include "tst_boundcontrols.moc"
