#include "dictionaries/SharedDictionaryPages.h"

#include "data/modules/TDM_PUM.h"

#include <array>

namespace zel {

namespace {

using M = TDM_PUM;

// Page 1's title starts with a Latin "C": the lists have always shown it so.
const std::array<SharedDictionaryPage, 9> kPages{{
    {0, "Button1", "Специальность по диплому", &M::ADOQ_Speciality, &M::DS_Speciality, "p25-2", "Специальность",
     "Special", "id_special"},
    {1, "Button3", "Социальный статус", &M::ADOQ_Soc_pr, &M::DS_Soc_pr, "soc_status", "Cоц.происхождение (статус)",
     "Soc_pr", "id_soc_pr"},
    {2, "Button4", "Ученая степень", &M::ADOQ_Uch_step, &M::DS_Uch_step, "k5", "Ученая степень", "Uch_ste",
     "id_uch_stepen"},
    {3, "Button5", "Ученое звание", &M::ADOQ_uch_zvanie, &M::DS_uch_zvanie, "k6", "Ученое звание", "Uch_zvanie",
     "id_uch_zvanie"},
    {4, "Button2", "Ранг", &M::ADOQ_Rang, &M::DS_Rang, "rang", "Ранг", "Rang", "id_rang"},
    {5, "Button6", "Воинское звание", &M::ADOQ_Mil_name, &M::DS_Mil_name, "mil_name", "Воинское звание", "Mil_name",
     "ID_mil_name"},
    {6, "Button8", "Род войск", &M::ADOQ_Mil_R_Voisk, &M::DS_Mil_R_Voisk, "R_voisk", "Род войск", "Mil_R_Voisk",
     "id_r_voisk"},
    {7, "Button7", "Орган выдачи пасспорта", &M::ADOQ_passport_organ, &M::DS_passport_organ, "CodeMVD",
     "Орган выдачи пасспорта", "MVD_Pasport", "IDMVD"},
    {8, "Button9", "Квалификация по диплому", &M::ADOQ_diploma_kval, &M::DS_diploma_kval, "diploma_kval",
     "Квалификация по диплому", "diploma_kval", "id_diploma_kval"},
}};

}  // namespace

std::span<const SharedDictionaryPage> sharedDictionaryPages()
{
    return kPages;
}

}  // namespace zel
