// A temporary demo database, DM_PUM connected to it, and a host that records what
// the rules asked of the windows.
#pragma once

#include "data/DbError.h"
#include "data/dataset/TField.h"
#include "data/modules/CardHost.h"
#include "data/modules/TDM_PUM.h"
#include "tests/data/EmbeddedDemoTest.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <memory>

namespace zel::test {

class RecordingHost : public CardHost {
public:
    QString login = QStringLiteral("clerk");
    QString workstation = QStringLiteral("PC-01\\10.0.0.5");
    QVariant familyStatus;
    bool directoryExists = false;
    bool saveEnabled = false;
    QStringList calls;

    QString SignedInLogin() const override { return login; }
    QString Workstation() const override { return workstation; }
    void SetSaveEnabled(bool enabled) override
    {
        saveEnabled = enabled;
        calls << (enabled ? QStringLiteral("save on") : QStringLiteral("save off"));
    }
    QVariant FamilyStatusKey() const override { return familyStatus; }
    void SetFamilyStatusKey(const QVariant& key) override
    {
        familyStatus = key;
        calls << QStringLiteral("status ") + (key.isNull() ? QStringLiteral("NULL") : key.toString());
    }
    void SetFamilyStatusLocked(bool locked) override { calls << QStringLiteral("lock %1").arg(locked); }
    void SetPensionerMark(bool pensioner) override { calls << QStringLiteral("pensioner %1").arg(pensioner); }
    void SetStatusText(const QString& text) override { calls << QStringLiteral("text ") + text; }
    bool DirectoryExists() const override { return directoryExists; }
    void ShowDirectoryRecord(const QString& fullName, const QVariant& key) override
    {
        calls << QStringLiteral("record ") + fullName + u'/' + key.toString();
    }
    void SetDirectoryRecordCaption(const QString& caption) override { calls << QStringLiteral("caption ") + caption; }
    void ReloadCard() override { calls << QStringLiteral("reload"); }
    /// Answers the card's question before the employee changes; true when unset.
    std::function<bool()> settle;
    bool SettlePendingEdits() override
    {
        calls << QStringLiteral("settle");
        return settle ? settle() : true;
    }
    void ShowNoRightsWarning(const QString& text, const QString& caption) override
    {
        calls << QStringLiteral("warning ") + caption + u' ' + text;
    }
};

class ModulesTest : public EmbeddedDemoTest {
protected:
    void connect(int account = 1)
    {
        dm.ADO_PUM.SetConnectionString(connectionString(account));
        dm.ADO_PUM.Open();
    }

    /// Positions ADO_TEACHER on one employee, as the directory's search does.
    void selectEmployee(int key)
    {
        dm.ADO_TEACHER.SetSQL(QStringLiteral("select teacher.*, p26 as t_fio from teacher where id_teacher=")
                              + QString::number(key));
        dm.ADO_TEACHER.Open();
    }

    int serverCount(const QString& sql) { return serverValue(sql).toInt(); }

    /// Makes ADO_TEACHER's current row an employee that another workstation then
    /// deleted: every section posted for it is refused by the server's foreign key.
    int selectVanishedEmployee()
    {
        serverExec(QStringLiteral("insert into TEACHER(p26, p27) values('Исчезнувший', 'Сотрудник')"));
        const int key = serverValue(QStringLiteral("select max(id_teacher) from TEACHER")).toInt();
        selectEmployee(key);
        serverExec(QStringLiteral("delete from TEACHER where id_teacher=") + QString::number(key));
        return key;
    }

    TDM_PUM dm;
    RecordingHost host;
};

}  // namespace zel::test
