#pragma once

namespace zel {

class TDataSet;
class TDataSource;
class TField;

/// What a data-aware control implements to follow the dataset of a data source.
/// Register it with SetDataSource(); the data source calls the notifications below
/// on the user-interface thread, from inside the dataset operation that caused them.
/// Every notification has an empty default.
///
/// A control shows a field of the current row; on the first user change it calls
/// Edit() (which puts the dataset into dsEdit or dsInsert), keeps the typed text and
/// writes it into the field in updateData(), which runs before every Post and before
/// a move posts the row.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    /// The data source followed; null = none. Not owned.
    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* source);
    /// The data source's dataset; null when there is none.
    TDataSet* DataSet() const;
    /// The dataset exists and is open.
    bool Active() const;
    /// The dataset is in dsEdit or dsInsert.
    bool Editing() const;
    /// Puts the dataset into edit state through the data source (TDataSource::Edit);
    /// returns Editing(). Errors of Edit/Insert propagate.
    bool Edit();

    // -- notifications --
    /// The dataset was opened or closed, or the data source now names another dataset.
    /// Dynamic fields may have been replaced: look fields up again.
    virtual void activeChanged() {}
    /// Rows were added, removed, reordered or re-read (grids refill).
    virtual void dataSetChanged() {}
    /// Another row became current.
    virtual void dataSetScrolled() {}
    /// A value of the current row changed: field names it, or null for the whole row.
    virtual void recordChanged(TField* field) { (void)field; }
    /// The dataset's State changed.
    virtual void stateChanged() {}
    /// Editing() changed (entered or left dsEdit/dsInsert).
    virtual void editingChanged() {}
    /// Write pending text into the field now (before Post or a posting move).
    virtual void updateData() {}

private:
    friend class TDataSource;
    TDataSource* m_dataSource = nullptr;
};

}  // namespace zel
