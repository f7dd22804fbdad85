#pragma once

#include "dictionaries/DictionaryGridWindow.h"

namespace zel {

class TDM_PUM;

/// "Национальность": the nationality list of the card.
class TForm14 : public DictionaryGridWindow {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm14(TDM_PUM& dm, QWidget* parent = nullptr);

};

}  // namespace zel
