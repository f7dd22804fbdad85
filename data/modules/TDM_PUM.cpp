#include "TDM_PUM.h"

namespace zel {

TDM_PUM::TDM_PUM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM_PUM"));
}

TDM_PUM::~TDM_PUM() = default;

void TDM_PUM::OpenSignInDataSets()
{
    // The card and dictionary datasets are declared with the data modules.
}

}  // namespace zel
