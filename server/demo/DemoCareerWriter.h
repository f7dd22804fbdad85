#pragma once

#include "server/demo/DemoPerson.h"
#include "server/demo/Dice.h"
#include "server/demo/TableInserter.h"

namespace zel::server::demo {

/// Writes the career part of demo employees: education, length of service,
/// further training, work history, awards, trips abroad, elected bodies,
/// party, leave, academic documents and the teaching workload (which makes
/// an employee appear in Teacher_Del).
class DemoCareerWriter {
public:
    DemoCareerWriter(sqlite3* db, Dice& dice);

    void writeSections(const DemoPerson& person);
    /// Workload rows make the employee undeletable.
    void writeWorkload(const DemoPerson& person);

private:
    void writeEducation(const DemoPerson& person);
    void writeExperience(const DemoPerson& person);
    void writeQualification(const DemoPerson& person);
    void writeWork(const DemoPerson& person);
    void writeAwards(const DemoPerson& person);
    void writeAbroad(const DemoPerson& person);
    void writeElected(const DemoPerson& person);
    void writeParty(const DemoPerson& person);
    void writeHolidays(const DemoPerson& person);
    void writeAcademicDocuments(const DemoPerson& person);

    Dice& m_dice;
    TableInserter m_education, m_experience, m_qualification, m_work, m_awards, m_abroad, m_elected,
        m_party, m_holidays, m_documents, m_workload;
};

}  // namespace zel::server::demo
