#pragma once

#include "server/demo/DemoPerson.h"
#include "server/demo/Dice.h"
#include "server/demo/TableInserter.h"

#include <vector>

namespace zel::server::demo {

/// Writes the personal part of demo employees: TEACHER, TEACHER_info,
/// passport, photo, pension, the three addresses, relatives, military card,
/// languages and medical examinations. Sections are left out at random so
/// that cards differ (no photo, no relatives, no pension ...).
class DemoPersonWriter {
public:
    DemoPersonWriter(sqlite3* db, Dice& dice, int photoLimit);

    /// Inserts the TEACHER row and returns the person with its key.
    DemoPerson writeMaster(const PersonName& name, bool male, bool working);
    void writeSections(const DemoPerson& person);

private:
    struct Place {
        int republic, region, district, city, village;
    };

    void writeInfo(const DemoPerson& person);
    void writePassport(const DemoPerson& person);
    void writePhoto(const DemoPerson& person);
    void writePension(const DemoPerson& person);
    void writeAddresses(const DemoPerson& person);
    void writeFamily(const DemoPerson& person);
    void writeMilitary(const DemoPerson& person);
    void writeLanguages(const DemoPerson& person);
    void writeMedical(const DemoPerson& person);
    const Place& randomPlace();

    Dice& m_dice;
    int m_photoLimit;
    std::vector<Place> m_places;
    std::vector<int> m_districts;
    std::vector<QByteArray> m_photos;  // the portrait variants, made once
    TableInserter m_teacher, m_info, m_passport, m_photo, m_pension, m_birthPlace, m_livingPlace,
        m_registrationPlace, m_family, m_military, m_languages, m_medical;
};

}  // namespace zel::server::demo
