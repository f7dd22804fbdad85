#pragma once

#include "dictionaries/DictionaryGridWindow.h"

namespace zel {

class TDM_PUM;

/// "Гражданство": the republics of the address hierarchy, although the card
/// opens it beside its citizenship list.
class TForm13 : public DictionaryGridWindow {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm13(TDM_PUM& dm, QWidget* parent = nullptr);

};

}  // namespace zel
