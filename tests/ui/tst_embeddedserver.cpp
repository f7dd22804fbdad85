// Bound controls over datasets of the embedded server on a temporary demo database.
#include "UiTestSupport.h"

#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"

#include "data/dataset/TField.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <QTemporaryDir>

using namespace zel;
using namespace zel::ui;

class EmbeddedServerControlsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void surnameTypedIntoEmptyMasterIsInserted();
    void selectorOverDemoDictionaryWritesKey();
    void gridShowsEveryEmployeeAndFollowsClicks();

private:
    QString connectionString() const;
    QVariant serverValue(const QString& sql, const QString& field) const;
    std::unique_ptr<TADOQuery> query(TADOConnection& connection, const QString& name, const QString& sql) const;

    QTemporaryDir m_dir;
    QString m_path;
    server::DemoSummary m_summary;
};

void EmbeddedServerControlsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    server::registerEmbeddedDriver();
    server::installServerModules();
    m_path = m_dir.filePath("zel.db");
    m_summary = server::createDemoDatabase(m_path, 40);
}

QString EmbeddedServerControlsTest::connectionString() const
{
    const auto& login = m_summary.databaseAccounts.at(1);
    return "Provider=SQLOLEDB.1;Password=" + login.password + ";Persist Security Info=True;User ID="
           + login.login + ";Initial Catalog=" + m_summary.databaseName + ";Data Source=" + m_path;
}

std::unique_ptr<TADOQuery> EmbeddedServerControlsTest::query(TADOConnection& connection, const QString& name,
                                                             const QString& sql) const
{
    auto q = std::make_unique<TADOQuery>(name);
    q->SetConnection(&connection);
    q->SetSQL(sql);
    return q;
}

QVariant EmbeddedServerControlsTest::serverValue(const QString& sql, const QString& field) const
{
    TADOConnection other;
    other.SetConnectionString(connectionString());
    auto check = query(other, "check", sql);
    check->Open();
    return check->IsEmpty() ? QVariant() : check->FieldByName(field)->Value();
}

void EmbeddedServerControlsTest::surnameTypedIntoEmptyMasterIsInserted()
{
    TADOConnection connection;
    connection.SetConnectionString(connectionString());
    auto teacher = query(connection, "ADO_TEACHER",
                         "SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    teacher->Open();
    QVERIFY(teacher->IsEmpty());
    TDataSource source(teacher.get());

    DbEdit surname;
    surname.setDataSource(&source, "p26");
    surname.show();
    QVERIFY(support::focus(&surname));
    support::type(&surname, "Тестова");
    QCOMPARE(teacher->State(), dsInsert);

    teacher->Post();
    const QVariant key = teacher->FieldByName("id_teacher")->Value();
    QVERIFY(!key.isNull());
    QCOMPARE(serverValue("select p26 from teacher where id_teacher = " + key.toString(), "p26").toString(),
             QString("Тестова"));
}

void EmbeddedServerControlsTest::selectorOverDemoDictionaryWritesKey()
{
    TADOConnection connection;
    connection.SetConnectionString(connectionString());
    auto nationality = query(connection, "ADOQ_nationality", "select * from nationality");
    auto info = query(connection, "ADOQ_Teacher_2", "select * from TEACHER_info where id_teacher=2");
    nationality->Open();
    info->Open();
    QVERIFY(nationality->RecordCount() >= 2);
    QCOMPARE(info->RecordCount(), 1);
    TDataSource listSource(nationality.get());
    TDataSource infoSource(info.get());

    DbLookupComboBox selector;
    selector.setListSource(&listSource, "IDNationality", "Nationality");
    selector.setDataSource(&infoSource, "id_nationality");
    QCOMPARE(selector.count(), nationality->RecordCount());
    const QVariant before = info->FieldByName("id_nationality")->Value();
    if (!before.isNull()) {
        QVERIFY(nationality->Locate("IDNationality", before));
        QCOMPARE(selector.currentText(), nationality->FieldByName("Nationality")->AsString());
    }

    // Pick an entry other than the current one.
    const int pick = selector.currentIndex() == 0 ? 1 : 0;
    emit selector.activated(pick);
    const QVariant chosen = selector.binding().model()->keyAt(pick);
    QCOMPARE(info->FieldByName("id_nationality")->Value().toLongLong(), chosen.toLongLong());
    QCOMPARE(nationality->FieldByName("IDNationality")->Value().toLongLong(), chosen.toLongLong());
    info->Post();
    QCOMPARE(serverValue("select id_nationality from TEACHER_info where id_teacher=2", "id_nationality").toLongLong(),
             chosen.toLongLong());
}

void EmbeddedServerControlsTest::gridShowsEveryEmployeeAndFollowsClicks()
{
    TADOConnection connection;
    connection.SetConnectionString(connectionString());
    auto teacher = query(connection, "ADO_TEACHER",
                         "Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+"
                         "ISNULL(teacher.p28,'')) as t_fio from teacher where teacher.id_teacher <> 1 "
                         "AND teacher.p26 LIKE '%%' Order by t_fio");
    teacher->Open();
    QCOMPARE(teacher->RecordCount(), m_summary.employees + 1);  // the one typed in above
    TDataSource source(teacher.get());

    DbGrid grid;
    grid.setReadOnly(true);
    grid.setRowSelect(true);
    grid.setFitColumns(true);
    std::vector<GridColumn> columns(1);
    columns[0].fieldName = "t_fio";
    columns[0].title = "ФИО сотрудника";
    columns[0].width = 240;
    grid.setColumns(columns);
    grid.setDataSource(&source);
    grid.resize(372, 265);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.model()->rowCount(), teacher->RecordCount());
    QCOMPARE(grid.model()->index(0, 0).data().toString(), teacher->FieldByName("t_fio")->AsString());

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(3, 0)).center());
    QCOMPARE(teacher->RecNo(), 4);
    QCOMPARE(grid.model()->index(3, 0).data().toString(), teacher->FieldByName("t_fio")->AsString());
    QVERIFY(!(grid.model()->flags(grid.model()->index(3, 0)) & Qt::ItemIsEditable));
}

QTEST_MAIN(EmbeddedServerControlsTest)
#include "tst_embeddedserver.moc"
