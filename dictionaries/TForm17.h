#pragma once

#include "dictionaries/DictionaryGridWindow.h"

namespace zel {

class TDM;

/// The degrees of post-graduate documents. Closing re-reads the list so that
/// the document grid's lookups see the rows just added.
class TForm17 : public DictionaryGridWindow {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm17(TDM& dm, QWidget* parent = nullptr);

protected:
    void FormClose() override;

private:
    TDM& m_dm;
};

}  // namespace zel
