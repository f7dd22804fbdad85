#pragma once

#include "dictionaries/DictionaryGridWindow.h"

namespace zel {

class TDM_PUM;

/// "Образование": the levels of education of the card's education rows.
class TForm18 : public DictionaryGridWindow {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm18(TDM_PUM& dm, QWidget* parent = nullptr);

};

}  // namespace zel
