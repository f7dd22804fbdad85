#pragma once

#include "dictionaries/DictionaryGridWindow.h"

namespace zel {

class TDM;

/// "Структура выдавщая документ": the structures that issue post-graduate
/// documents, with short and full names. Closing re-reads the list so that the
/// document grid's lookups see the rows just added.
class TForm16 : public DictionaryGridWindow {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm16(TDM& dm, QWidget* parent = nullptr);

protected:
    void FormClose() override;

private:
    TDM& m_dm;
};

}  // namespace zel
