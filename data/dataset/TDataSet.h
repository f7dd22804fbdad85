#pragma once

#include "data/RowSet.h"
#include "data/dataset/DataSetTypes.h"
#include "data/dataset/FilterExpression.h"
#include "data/dataset/KeyIndex.h"
#include "data/dataset/RecordBuffer.h"
#include "data/dataset/TFieldDecl.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zel {

namespace db {
class Driver;
}

class RowWriter;
class TADOConnection;
class TDataSource;
class TField;

/// Rows of one statement held on the client (a static snapshot), with typed fields,
/// a current row, the dsBrowse/dsEdit/dsInsert state machine, events, sorting and
/// filtering on the client, and write-through of every posted or deleted row.
///
/// Order of events:
/// - Open: rows fetched, dsBrowse, first row current, AfterOpen, AfterScroll (only with rows).
/// - a move (First, Next, Prior, Last, MoveBy, SetRecNo, Locate): a pending row is posted
///   when Modified, else cancelled; then the move; then AfterScroll.
/// - Edit: nothing in dsEdit/dsInsert; Insert on an empty dataset; else dsEdit, AfterEdit.
/// - Insert: pending row posted/cancelled; BeforeInsert; blank row at the current
///   position; dsInsert; AfterInsert; AfterScroll.
/// - Post: data links write their pending text (updateData); BeforePost; the row is
///   written to the server; OnRowWritten (same transaction); dsBrowse; AfterPost.
/// - Cancel: changes discarded (an inserted row disappears); dsBrowse; AfterCancel;
///   AfterScroll after an insert.
/// - Delete: on an inserted row only Cancel; on an empty dataset DataError; else
///   BeforeDelete, delete on the server, OnRowWritten (same transaction), AfterDelete,
///   AfterScroll.
/// An error raised by a before-event handler stops the operation in the previous state.
///
/// The dataset is not copyable and lives as long as the data module that declares it.
/// It uses its connection's driver; it does not own the connection.
class TDataSet {
public:
    explicit TDataSet(const QString& name = QString());
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    /// Component name used in error texts ("ADO_TEACHER").
    const QString& Name() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    /// The connection whose driver runs the statements; null = none. Not owned.
    TADOConnection* Connection() const { return m_connection; }
    void SetConnection(TADOConnection* connection);

    // -- opening --
    /// Runs the statement and fetches every row. Opens the dictionaries of lookup
    /// fields that are not open yet. On any error the dataset stays closed.
    void Open();
    /// Drops the rows (a pending change is discarded without events).
    void Close();
    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    /// Posts or cancels a pending row, closes and opens again: rows changed by others
    /// become visible; the first row is current (events as for Close and Open).
    void Requery();
    TDataSetState State() const { return m_state; }

    // -- fields --
    /// Declares the persistent fields (dataset closed). The dataset then exposes exactly
    /// these, in this order; Open fails when a declared data field is missing from the
    /// result or has an incompatible type. Without declarations every result column
    /// becomes a dynamic field.
    void DeclareFields(const std::vector<TFieldDecl>& declarations);
    /// Adds one persistent field and returns it (owned by the dataset).
    TField* AddField(const TFieldDecl& declaration);
    bool HasPersistentFields() const { return !m_persistent.empty(); }
    const std::vector<TField*>& Fields() const { return m_fields; }
    TField* Field(int index) const { return m_fields.at(std::size_t(index)); }
    int FieldCount() const { return int(m_fields.size()); }
    /// The field of that name, without regard to letter case; null when absent.
    TField* FindField(const QString& name) const;
    /// As FindField, but a missing name throws DataError naming the field and the dataset.
    TField* FieldByName(const QString& name) const;

    // -- rows --
    int RecordCount() const { return int(m_view.size()); }
    bool IsEmpty() const { return m_view.empty(); }
    /// 1-based position of the current row; 0 when there is none.
    int RecNo() const;
    /// Makes row recNo (clamped) current as a move does; nothing when it already is.
    void SetRecNo(int recNo);
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    void First();
    void Last();
    void Next();
    void Prior();
    /// Moves by distance rows (clamped); returns the rows actually moved.
    int MoveBy(int distance);
    /// Makes the first row whose keyField equals value current; false (no move) when none.
    bool Locate(const QString& keyField, const QVariant& value);
    /// The resultField of the first row whose keyField equals keyValue; NULL when none.
    /// Does not move. Constant time after the first call (hash index per key field).
    QVariant Lookup(const QString& keyField, const QVariant& keyValue, const QString& resultField);

    // -- editing --
    void Edit();
    void Insert();
    /// As Insert, but the blank row goes after the last row.
    void Append();
    void Post();
    void Cancel();
    void Delete();
    /// Has the data links write the values their controls hold but have not yet
    /// written (text typed into a control that still has the focus). Nothing
    /// outside dsEdit/dsInsert.
    void UpdateRecord();
    /// Some field of the current row was written since the last Edit/Insert.
    bool Modified() const { return m_edit.modified(); }
    /// Posts a modified pending row, cancels an unmodified one; nothing in dsBrowse.
    void CheckBrowseMode();
    /// Whether rows can be written back: not ReadOnly, open, base table and key known.
    bool CanModify() const;
    /// A read-only dataset refuses Edit (through OnEditError), Insert and Delete.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // -- client-side order and filter --
    /// "field", "field DESC", "a, b DESC"; empty = the statement's order. Applied at once
    /// when open, kept across Open. Text sorts without regard to letter case, Ё as Е.
    const QString& Sort() const { return m_sort; }
    void SetSort(const QString& sort);
    /// "visible = 1", "id_republic=5 AND visible = 1": comparisons (= <> < > <= >=) of a
    /// field with a number or a quoted literal joined by AND. Throws DataError on bad syntax.
    const QString& Filter() const { return m_filterText; }
    void SetFilter(const QString& filter);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool filtered);

    // -- events --
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    /// Runs once a posted or deleted row has reached the server, before the dataset takes
    /// the change as done (still in dsEdit/dsInsert after a post's write; the deleted row
    /// still current after a delete's). While set, the write and this handler run in one
    /// transaction of the connection: an error raised here, or a refused commit, undoes
    /// the write, and the dataset stays as it was (a post's typed values in dsEdit or
    /// dsInsert, with OnPostError consulted; a delete's row in place). The audit trail
    /// writes its rows here so that a change is never stored without them.
    TDataSetNotifyEvent OnRowWritten;
    /// Sets the calculated fields of the current row (RecNo is that row's).
    TDataSetNotifyEvent OnCalcFields;
    TDataSetErrorEvent OnEditError, OnPostError;

    // -- used by fields and data sources --
    QVariant fieldValue(const TField& field) const;
    QVariant fieldValueAt(const TField& field, int recNo) const;
    QVariant fieldOldValue(const TField& field) const;
    void setFieldValue(TField& field, const QVariant& canonicalValue);
    /// The snapshot; rows in physical (fetch) order.
    const db::RowSet& rowSet() const { return m_rows; }
    /// Physical snapshot row of a 1-based position.
    int physicalRow(int recNo) const { return m_view.at(std::size_t(recNo - 1)); }
    void addDataSource(TDataSource* source);
    void removeDataSource(TDataSource* source);

protected:
    /// The statement Open runs; empty throws DataError.
    virtual QString commandText() const = 0;
    /// Table written by posts when the result does not name one.
    virtual QString defaultBaseTable() const { return QString(); }
    /// Rows of the statement; the default runs commandText() through the driver.
    virtual void fetchRows(db::RowSet& rows);
    db::Driver& driver() const;

private:
    enum class Notify { Active, DataSet, Scrolled, Record };

    void checkActive() const;
    void bindFields();
    void bindPersistentFields();
    void createDynamicFields();
    void registerLookupSource(TDataSet* source);
    void unregisterLookupSource(TDataSet* source);
    void openLookupDataSets();
    void lookupSourceChanged();
    void lookupSourceDestroyed(TDataSet* source);
    void checkCanModify() const;
    void invalidateIndexes();
    void rowsChanged();

    void rebuildView(int keepPhysical);
    void moveTo(int position);
    void afterScroll();
    void beginEdit(int physical, bool inserting);
    /// Insert (before the current row) and Append (after the last row).
    void startInsert(bool atEnd);
    /// Runs attempt until it succeeds. When it throws an Error, onError (OnEditError or
    /// OnPostError) chooses: daFail rethrows the error, daAbort throws AbortSignal, daRetry
    /// runs attempt again while retryAllowed() still holds (the handler may have left the
    /// state the operation needs) and rethrows otherwise. AbortSignal passes untouched.
    void runWithErrorAction(const TDataSetErrorEvent& onError, const std::function<void()>& attempt,
                            const std::function<bool()>& retryAllowed);
    void endEdit();
    void writeRow();
    /// writeRow, then OnRowWritten, in one transaction when OnRowWritten is set; a
    /// failure undoes what the write left in the buffer (an inserted row's identity).
    void writeRowConfirmed();
    /// Removes the current row (physical) on the server, then OnRowWritten, as above.
    void removeRowConfirmed(int physical);
    TADOConnection& connectionForWrite() const;
    void checkRequiredFields() const;
    void storeBuffer();
    void runCalcFields(int physical, int position) const;
    QVariant valueOfRow(const TField& field, int physical, int position) const;
    QVariant lookupValue(const TField& field, int physical, int position) const;
    const KeyIndex& keyIndex(const TField& field);
    void notify(Notify what, TField* field = nullptr);
    void notifyUpdateData();
    void fieldChanged(TField& field);
    void setState(TDataSetState state);
    /// Runs a handler through a copy: a handler may replace itself (or detach others)
    /// while it runs, as the change history does.
    template <typename Handler, typename... Args>
    void fire(const Handler& handler, Args&&... args)
    {
        if (handler) {
            const Handler copy = handler;
            copy(*this, std::forward<Args>(args)...);
        }
    }

    QString m_name;
    TADOConnection* m_connection = nullptr;
    TDataSetState m_state = dsInactive;

    db::RowSet m_rows;
    std::vector<int> m_view;         // physical rows in display order
    std::vector<bool> m_deleted;     // per physical row
    int m_position = -1;             // index into m_view; -1 = no current row
    bool m_bof = true;
    bool m_eof = true;

    std::vector<TField*> m_fields;                    // exposed order
    std::vector<std::unique_ptr<TField>> m_persistent;
    std::vector<std::unique_ptr<TField>> m_dynamic;

    RecordBuffer m_edit;  // the row in dsEdit/dsInsert

    // calculated fields of one row
    mutable int m_calcRow = -1;
    mutable std::vector<QVariant> m_calcValues;
    mutable int m_readRow = -1;       // physical row read while OnCalcFields runs
    mutable int m_readPosition = -1;
    bool m_hasCalcFields = false;

    QString m_sort;
    QString m_filterText;
    FilterExpression m_filter;
    bool m_filtered = false;

    std::unique_ptr<RowWriter> m_writer;                // set while open
    std::vector<std::unique_ptr<KeyIndex>> m_indexes;  // per field index, built lazily
    std::vector<TDataSource*> m_dataSources;
    std::vector<TDataSet*> m_lookupSources;     // dictionaries our lookup fields read
    std::vector<TDataSet*> m_lookupDependants;  // datasets whose lookup fields read us
    bool m_opening = false;
    quint64 m_fieldsStamp = 0;  // changes whenever the fields are bound anew
    bool m_readOnly = false;
    bool m_propagating = false;  // guards lookup notifications against cycles

    friend class TADOConnection;
    friend class TField;
};

}  // namespace zel
