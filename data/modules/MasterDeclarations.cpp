#include "data/modules/DataModuleDeclarations.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

void declareMasterDataSets(TDM_PUM& dm)
{
    dm.ADO_TEACHER.SetSQL(QStringLiteral("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER"));
    dm.ADO_TEACHER.DeclareFields({
        autoInc("id_teacher"),
        text("p26", 50),
        text("p27", 50),
        text("p28", 50),
        text("t_fio", 50),
        text("ZEL_User", 20),
        date("ZEL_Update"),
        boolean("status"),
    });

    dm.ADOQ_Teacher_2.SetSQL(QStringLiteral("SELECT  TOP (0) PERCENT dbo.TEACHER_info.* FROM dbo.TEACHER_info"));
    dm.ADOQ_Teacher_2.DeclareFields({
        autoInc("id_teacher_info"),
        integer("id_teacher"),
        integer("id_uch_stepen"),
        integer("id_uch_zvanie"),
        dateTime("D_b"),
        text("Phon_w", 15),
        text("Phone", 15),
        text("phone_mobile", 40, 40),
        dateTime("D_z"),
        integer("id_nationality"),
        integer("id_citizenship"),
        integer("id_pol"),
        text("nauch_r", 200),
        integer("id_rang"),
        text("ZEL_User", 20),
        date("ZEL_Update"),
        integer("id_soc_pr"),
        text("eMail", 30),
        text("first_p26", 25, 25),
        text("num_date_f_p26", 35),
    });

    dm.ADOQPensioner.SetSQL(QStringLiteral("Select * from Pensioners"));
    dm.ADOQPensioner.DeclareFields({
        autoInc("id_pensioner"),
        integer("id_teacher"),
        dateTime("date"),
        integer("id_district"),
        fixedWide("ZEL_user", 10),
        fixedWide("ZEL_update", 10),
        boolean("pensioner"),
    });

    dm.ADOQ_DEL.SetSQL(QStringList{QStringLiteral("SELECT     id_teacher"),
                                   QStringLiteral("FROM         dbo.Teacher_Del")});
    dm.ADOQ_DEL.DeclareFields({integer("id_teacher")});
}

}  // namespace zel
