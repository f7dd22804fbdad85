#pragma once

namespace zel {

class TDM_PUM;

/// Initial texts and persistent fields of DM_PUM's datasets, one group per file.
/// Called once by the constructor, with every dataset closed.
void declareMasterDataSets(TDM_PUM& dm);
void declareSectionDataSets(TDM_PUM& dm);
void declareDictionaryDataSets(TDM_PUM& dm);
void declareAddressDataSets(TDM_PUM& dm);
void declareDocumentDataSets(TDM_PUM& dm);

}  // namespace zel
