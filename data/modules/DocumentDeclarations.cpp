#include "data/modules/DataModuleDeclarations.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

void declareDocumentDataSets(TDM_PUM& dm)
{
    // Passport and photo expose their table's columns.
    dm.ADOQ_Passport.SetSQL(QStringLiteral("Select * from Passport"));
    dm.ADOQ_photo.SetSQL(QStringLiteral("SELECT  TOP (0) PERCENT photo from photo"));

    // No initial text: the directory gives it its statement.
    dm.ADOQ_teacher_medosmotr.DeclareFields({
        integer("id_teacher_medosmotr"),
        integer("id_teacher"),
        text("medosmotr", 250),
        dateTime("medosmotr_date", QStringLiteral("dd.MM.yyyy")),
        text("Descpintion", 250),
    });
}

}  // namespace zel
