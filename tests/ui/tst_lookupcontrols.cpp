#include "UiTestSupport.h"

#include "ui/DbLookupComboBox.h"
#include "ui/DbLookupListBox.h"
#include "ui/DbNavigator.h"
#include "ui/FlatButton.h"
#include "ui/ScriptedDialogService.h"

#include "data/dataset/TField.h"

using namespace zel;
using namespace zel::ui;
using zel::db::SqlType;

class LookupControlsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void selectorShowsTextOfKey();
    void pickWritesKeyAndLocatesListRow();
    void dictionaryRowAppearsAtOnce();
    void unboundSelectorKeyValue();
    void listBoxPicksListRow();
    void navigatorDeleteAsksFirst();

private:
    fake::Table* m_nationality = nullptr;
    fake::Table* m_info = nullptr;
};

void LookupControlsTest::init()
{
    auto& db = fake::Database::instance();
    db.reset();
    m_nationality = &db.create("nationality", {{"IDNationality", SqlType::Int}, {"Nationality", SqlType::NVarChar, 40}});
    m_nationality->add({10, "русский"});
    m_nationality->add({20, "казах"});
    m_nationality->add({30, "кыргыз"});
    m_info = &db.create("Teacher_info", {{"id_teacher_info", SqlType::Int}, {"id_nationality", SqlType::Int}});
    m_info->add({QVariant(), 20});
    m_info->add({QVariant(), 32});  // a key the dictionary does not have (yet)
    m_info->add({QVariant(), QVariant()});
}

void LookupControlsTest::selectorShowsTextOfKey()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    support::Query info(connection, "Teacher_info");
    dictionary->Open();
    info->Open();

    DbLookupComboBox selector;
    selector.setListSource(dictionary.source.get(), "IDNationality", "Nationality");
    selector.setDataSource(info.source.get(), "id_nationality");
    int changes = 0;
    connect(&selector, &DbLookupComboBox::changed, [&] { ++changes; });
    selector.show();

    QCOMPARE(selector.count(), 3);
    QCOMPARE(selector.currentText(), QString("казах"));
    QCOMPARE(selector.keyValue().toInt(), 20);
    // Showing a key makes its row current in the dictionary.
    QCOMPARE(dictionary->RecNo(), 2);

    info->Next();
    QCOMPARE(selector.currentIndex(), -1);
    QVERIFY(selector.currentText().isEmpty());
    QCOMPARE(dictionary->RecNo(), 2);

    info->Next();
    QCOMPARE(selector.currentIndex(), -1);
    QVERIFY(selector.keyValue().isNull());

    info->First();
    QCOMPARE(selector.currentText(), QString("казах"));
    QCOMPARE(changes, 0);
    QCOMPARE(info->State(), dsBrowse);
}

void LookupControlsTest::pickWritesKeyAndLocatesListRow()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    support::Query info(connection, "Teacher_info");
    dictionary->Open();
    info->Open();
    info->Next();  // the row whose key has no dictionary row

    DbLookupComboBox selector;
    selector.setListSource(dictionary.source.get(), "IDNationality", "Nationality");
    selector.setDataSource(info.source.get(), "id_nationality");
    int changes = 0;
    int clicks = 0;
    connect(&selector, &DbLookupComboBox::changed, [&] { ++changes; });
    connect(&selector, &DbLookupComboBox::clicked, [&] { ++clicks; });
    selector.show();

    // The user picks "кыргыз" with the keyboard.
    QVERIFY(support::focus(&selector));
    QTest::keyClick(&selector, Qt::Key_End);
    QCOMPARE(selector.currentText(), QString("кыргыз"));
    QCOMPARE(changes, 1);
    QCOMPARE(info->State(), dsEdit);
    QCOMPARE(info->FieldByName("id_nationality")->AsInteger(), 30);
    QCOMPARE(dictionary->RecNo(), 3);

    emit selector.activated(0);
    QCOMPARE(info->FieldByName("id_nationality")->AsInteger(), 10);
    QCOMPARE(dictionary->RecNo(), 1);
    QCOMPARE(changes, 2);
    info->Post();
    QCOMPARE(m_info->rows[1][1].toInt(), 10);

    // A read-only selector keeps its key.
    selector.setReadOnly(true);
    emit selector.activated(2);
    QCOMPARE(info->FieldByName("id_nationality")->AsInteger(), 10);
    QCOMPARE(selector.currentText(), QString("русский"));
    QCOMPARE(changes, 2);

    QTest::mouseClick(&selector, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

void LookupControlsTest::dictionaryRowAppearsAtOnce()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    support::Query info(connection, "Teacher_info");
    dictionary->Open();
    info->Open();
    info->Next();  // key 32: nothing shown yet

    DbLookupComboBox selector;
    selector.setListSource(dictionary.source.get(), "IDNationality", "Nationality");
    selector.setDataSource(info.source.get(), "id_nationality");
    selector.show();
    QCOMPARE(selector.count(), 3);

    dictionary->Append();
    dictionary->FieldByName("Nationality")->SetAsString("татарин");
    dictionary->Post();
    QCOMPARE(selector.count(), 4);
    QVERIFY(selector.findText("татарин") >= 0);
    const QVariant newKey = dictionary->FieldByName("IDNationality")->Value();
    QVERIFY(!newKey.isNull());

    // Picking the new entry stores its key.
    emit selector.activated(selector.findText("татарин"));
    QCOMPARE(info->FieldByName("id_nationality")->Value().toLongLong(), newKey.toLongLong());

    // A dictionary row whose key matches the shown key makes the text appear.
    info->Cancel();
    QCOMPARE(selector.currentIndex(), -1);
    dictionary->Append();  // receives the identity 32
    dictionary->FieldByName("Nationality")->SetAsString("дунганин");
    dictionary->Post();
    QCOMPARE(selector.currentText(), QString("дунганин"));
}

void LookupControlsTest::unboundSelectorKeyValue()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    dictionary->Open();
    DbLookupComboBox selector;
    selector.setListSource(dictionary.source.get(), "IDNationality", "Nationality");
    QVERIFY(selector.keyValue().isNull());
    QCOMPARE(selector.currentIndex(), -1);

    QList<QVariant> keys;
    connect(&selector.binding(), &LookupBinding::keyValueChanged, [&](const QVariant& key) { keys << key; });
    selector.setKeyValue(30);
    QCOMPARE(selector.currentText(), QString("кыргыз"));
    QCOMPARE(dictionary->RecNo(), 3);
    selector.setKeyValue(12345);
    QCOMPARE(selector.currentIndex(), -1);
    QCOMPARE(dictionary->RecNo(), 3);

    emit selector.activated(1);
    QCOMPARE(selector.keyValue().toInt(), 20);
    QCOMPARE(dictionary->RecNo(), 2);
    QCOMPARE(keys.size(), 3);
    // Reopening the dictionary keeps the key and shows its text again.
    dictionary->Close();
    QCOMPARE(selector.count(), 0);
    dictionary->Open();
    QCOMPARE(selector.currentText(), QString("казах"));
}

void LookupControlsTest::listBoxPicksListRow()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    dictionary->Open();
    DbLookupListBox list;
    list.setListSource(dictionary.source.get(), "IDNationality", "Nationality");
    list.binding().setFollowsListCursor(true);
    list.show();
    QCOMPARE(list.model()->rowCount(), 3);
    QCOMPARE(list.model()->index(1, 0).data().toString(), QString("казах"));

    int changes = 0;
    connect(&list, &DbLookupListBox::changed, [&] { ++changes; });
    const QRect second = list.visualRect(list.model()->index(2, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(changes, 1);
    QCOMPARE(dictionary->RecNo(), 3);
    QCOMPARE(list.keyValue().toInt(), 30);

    // Following the cursor: a move of the dataset selects its line.
    dictionary->First();
    QCOMPARE(list.currentIndex().row(), 0);
    QCOMPARE(list.keyValue().toInt(), 10);
    QCOMPARE(changes, 1);
}

void LookupControlsTest::navigatorDeleteAsksFirst()
{
    auto connection = support::openConnection();
    support::Query dictionary(connection, "nationality");
    dictionary->Open();
    ScriptedDialogService dialogs;
    DbNavigator navigator;
    navigator.setVisibleButtons(DbNavigator::Insert | DbNavigator::Delete | DbNavigator::Post);
    navigator.setHint(DbNavigator::Insert, "Добавить награду");
    navigator.setDataSource(dictionary.source.get());
    QVERIFY(!navigator.button(DbNavigator::First));
    QCOMPARE(navigator.button(DbNavigator::Insert)->toolTip(), QString("Добавить награду"));
    QVERIFY(!navigator.button(DbNavigator::Post)->isEnabled());

    dialogs.queueAnswer(DialogService::Answer::No);
    navigator.click(DbNavigator::Delete);
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].buttons, DialogService::Buttons::YesNo);
    QCOMPARE(dialogs.shown()[0].icon, DialogService::Icon::Question);
    QCOMPARE(int(m_nationality->rows.size()), 3);

    dialogs.queueAnswer(DialogService::Answer::Yes);
    navigator.click(DbNavigator::Delete);
    QCOMPARE(int(m_nationality->rows.size()), 2);
    QCOMPARE(dictionary->RecordCount(), 2);

    navigator.click(DbNavigator::Insert);
    QCOMPARE(dictionary->State(), dsInsert);
    QVERIFY(navigator.button(DbNavigator::Post)->isEnabled());
    dictionary->FieldByName("Nationality")->SetAsString("узбек");
    navigator.click(DbNavigator::Post);
    QCOMPARE(int(m_nationality->rows.size()), 3);

    // A failing action is reported, not thrown.
    navigator.click(DbNavigator::Insert);
    dictionary->FieldByName("Nationality")->SetAsString("x");
    fake::Database::instance().reset();  // the table disappears under the dataset
    navigator.click(DbNavigator::Post);
    QCOMPARE(dialogs.shown().size(), 3);
    QCOMPARE(dialogs.shown()[2].icon, DialogService::Icon::Error);
    QCOMPARE(dictionary->State(), dsInsert);
}

QTEST_MAIN(LookupControlsTest)
#include "tst_lookupcontrols.moc"
