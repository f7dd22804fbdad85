#pragma once

#include "data/dataset/DataSetTypes.h"

#include <functional>
#include <vector>

namespace zel {

class TDataLink;

/// Names one dataset for data-aware controls (TDataLink) and forwards the dataset's
/// changes to them. Neither the dataset nor the links are owned; each side forgets
/// the other when destroyed.
class TDataSource {
public:
    explicit TDataSource(TDataSet* dataSet = nullptr);
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    /// Null = none.
    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);
    /// dsInactive when there is no dataset.
    TDataSetState State() const;
    /// Whether a control's first change may call Edit (on by default).
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }

    /// Called by a control on the user's first change: Edit() on a dataset in dsBrowse
    /// when AutoEdit is on (an empty dataset starts an insert). Returns whether the
    /// dataset is then in dsEdit/dsInsert. Errors of Edit propagate.
    bool Edit();

    const std::vector<TDataLink*>& links() const { return m_links; }

    /// Runs when a value of the current row changed (field null = whole row) or
    /// another row became current.
    std::function<void(TField* field)> OnDataChange;
    /// Runs when the dataset's state changed.
    std::function<void()> OnStateChange;

    // -- used by TDataSet --
    void notifyActiveChanged();
    void notifyDataSetChanged();
    void notifyScrolled();
    void notifyRecordChanged(TField* field);
    void notifyStateChanged(bool editingChanged);
    void notifyUpdateData();
    void dataSetDestroyed() { m_dataSet = nullptr; }

private:
    friend class TDataLink;
    void addLink(TDataLink* link);
    void removeLink(TDataLink* link);
    template <typename Fn>
    void forEachLink(Fn fn);

    TDataSet* m_dataSet = nullptr;
    bool m_autoEdit = true;
    std::vector<TDataLink*> m_links;
};

}  // namespace zel
