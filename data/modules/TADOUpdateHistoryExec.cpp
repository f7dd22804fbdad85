#include "data/modules/TADOUpdateHistoryExec.h"

#include "data/DbError.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"

#include <QDate>
#include <QLocale>

namespace zel {

namespace {

bool isText(const TField& field)
{
    return field.DataType() == ftString || field.DataType() == ftWideString;
}

bool isDate(const TField& field)
{
    return field.DataType() == ftDate || field.DataType() == ftDateTime;
}

QString doubledQuotes(QString text)
{
    return text.replace(u'\'', QStringLiteral("''"));
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a == b;
}

}  // namespace

QString QuoteText(const QString& s)
{
    return u'\'' + s + u'\'';
}

QString QuoteTextTwice(const QString& s)
{
    return u'\'' + QuoteText(s) + u'\'';
}

TADOUpdateHistoryExec::TADOUpdateHistoryExec() = default;

TADOUpdateHistoryExec::~TADOUpdateHistoryExec()
{
    Detach();
}

void TADOUpdateHistoryExec::Attach(TDataSet& dataSet, const QString& tableLabel, const QString& keyField,
                                   bool logChanges, bool logDeletes)
{
    m_tableLabel = tableLabel;
    m_keyField = keyField;
    m_savedBeforePost = dataSet.BeforePost;
    m_savedAfterPost = dataSet.AfterPost;
    m_savedBeforeDelete = dataSet.BeforeDelete;
    m_savedAfterDelete = dataSet.AfterDelete;
    m_savedOnRowWritten = dataSet.OnRowWritten;
    m_savedOnEditError = dataSet.OnEditError;
    m_savedOnPostError = dataSet.OnPostError;
    m_dataSet = &dataSet;
    m_logChanges = logChanges;
    m_logDeletes = logDeletes;
    if (logChanges)
        dataSet.BeforePost = [this](TDataSet& ds) { HandleBeforePost(ds); };
    dataSet.AfterPost = [this](TDataSet& ds) { HandleAfterPost(ds); };
    if (logDeletes)
        dataSet.BeforeDelete = [this](TDataSet& ds) { HandleBeforeDelete(ds); };
    dataSet.AfterDelete = [this](TDataSet& ds) { HandleAfterDelete(ds); };
    dataSet.OnRowWritten = [this](TDataSet& ds) { HandleRowWritten(ds); };
    auto onError = [this](TDataSet& ds, const Error& error, TDataAction& action) { HandleError(ds, error, action); };
    dataSet.OnEditError = onError;
    dataSet.OnPostError = onError;
}

void TADOUpdateHistoryExec::Detach()
{
    if (!m_dataSet)
        return;
    m_dataSet->BeforePost = m_savedBeforePost;
    m_dataSet->AfterPost = m_savedAfterPost;
    m_dataSet->BeforeDelete = m_savedBeforeDelete;
    m_dataSet->AfterDelete = m_savedAfterDelete;
    m_dataSet->OnRowWritten = m_savedOnRowWritten;
    m_dataSet->OnEditError = m_savedOnEditError;
    m_dataSet->OnPostError = m_savedOnPostError;
    m_dataSet = nullptr;
}

QString TADOUpdateHistoryExec::changeMessage(const TField& field, const QVariant& oldValue,
                                             const QVariant& newValue) const
{
    // Sequential replacement: an old value that contains "<new>" gets the new value too.
    QString message = Template;
    message.replace(QStringLiteral("<?>"), field.FieldName(), Qt::CaseSensitive);
    message.replace(QStringLiteral("<old>"), FormatChangeValue(field, oldValue), Qt::CaseSensitive);
    message.replace(QStringLiteral("<new>"), FormatChangeValue(field, newValue), Qt::CaseSensitive);
    return message;
}

void TADOUpdateHistoryExec::HandleBeforePost(TDataSet& dataSet)
{
    if (OnFieldChanged && dataSet.State() == dsEdit && dataSet.FieldCount() > 0) {
        Statements.clear();
        const auto fields = dataSet.Fields();  // a callback may not change the list under us
        for (TField* field : fields) {
            if (field->FieldKind() != fkData)
                continue;
            const QVariant oldValue = field->OldValue();
            const QVariant newValue = field->Value();
            if (sameValue(oldValue, newValue))
                continue;
            const TChangeEvent callback = OnFieldChanged;
            callback(changeMessage(*field, oldValue, newValue), dataSet, m_tableLabel, m_keyField, Statements);
        }
    }
    if (m_savedBeforePost && m_logChanges) {
        const TDataSetNotifyEvent own = m_savedBeforePost;
        own(dataSet);
    }
}

void TADOUpdateHistoryExec::HandleRowWritten(TDataSet& dataSet)
{
    // own is a copy: OnStatementsReady may detach us, which replaces the saved handlers.
    const TDataSetNotifyEvent own = m_savedOnRowWritten;
    if (!Statements.isEmpty() && OnStatementsReady) {
        const TStatementsEvent ready = OnStatementsReady;
        ready(Statements);
    }
    Statements.clear();
    if (own)
        own(dataSet);
}

void TADOUpdateHistoryExec::HandleAfterPost(TDataSet& dataSet)
{
    runSaved(dataSet, m_savedAfterPost);
}

void TADOUpdateHistoryExec::runSaved(TDataSet& dataSet, TDataSetNotifyEvent own)
{
    Statements.clear();
    if (own)
        own(dataSet);
}

void TADOUpdateHistoryExec::HandleBeforeDelete(TDataSet& dataSet)
{
    if (dataSet.FieldCount() > 0) {
        Statements.clear();
        QString dump;
        const auto& fields = dataSet.Fields();
        for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
            const TField& field = *fields[i];
            if (field.FieldKind() == fkData)
                dump += field.FieldName() + u'[' + FormatDumpValue(field) + QStringLiteral("], ");
        }
        const TField& last = *fields.back();
        if (last.FieldKind() == fkData)
            dump += last.FieldName() + u'[' + FormatDumpValue(last) + u']';
        else
            dump.chop(2);
        if (OnRecordDeleting) {
            const TChangeEvent callback = OnRecordDeleting;
            callback(u'(' + dump + u')', dataSet, m_tableLabel, m_keyField, Statements);
        }
    }
    if (m_savedBeforeDelete && m_logDeletes) {
        const TDataSetNotifyEvent own = m_savedBeforeDelete;
        own(dataSet);
    }
}

void TADOUpdateHistoryExec::HandleAfterDelete(TDataSet& dataSet)
{
    runSaved(dataSet, m_savedAfterDelete);
}

void TADOUpdateHistoryExec::HandleError(TDataSet&, const Error&, TDataAction&)
{
    // The change did not reach the database: nothing of this attempt may be logged later.
    Statements.clear();
    Detach();
}

QString TADOUpdateHistoryExec::FormatChangeValue(const TField& field, const QVariant& value)
{
    const QString text = field.textOf(value);
    if (text.isEmpty())
        return QStringLiteral("NULL");
    if (isDate(field))
        return QLocale().toString(value.toDateTime().date(), QLocale::ShortFormat);
    if (isText(field))
        return doubledQuotes(text);
    return text;
}

QString TADOUpdateHistoryExec::FormatDumpValue(const TField& field)
{
    const QString text = field.AsString();
    if (text.isEmpty())
        return QStringLiteral("NULL");
    if (field.DataType() == ftFloat || isDate(field))
        return QuoteTextTwice(text);
    if (isText(field))
        return QuoteTextTwice(doubledQuotes(text));
    return text;
}

}  // namespace zel
