// The card's photo commands: loading a picture through the photo window, deleting it.
#include "card/TForm1.h"

#include "card/PersonalDataTab.h"
#include "data/dataset/TField.h"
#include "data/modules/AuditLog.h"
#include "data/modules/TDM_PUM.h"
#include "photo/JpegCodec.h"
#include "photo/PhotoEditor.h"
#include "photo/PhotoFileDialog.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"
#include "ui/PictureBytes.h"

#include <QPushButton>

#include <functional>

namespace zel {

namespace {

const QString kSaveEmployeeFirst = QStringLiteral(
    "Чтобы сохранить фотографию, нужно сперва сохранить хотя бы раз информацию о сотруднике.");
const QString kDeleteQuestion = QStringLiteral("Вы действительно хотите удалить фотографию?");
const QString kPhotoField = QStringLiteral("photo");

/// Edits the photo row, lets change write its field and posts; logWritten (when set)
/// runs once the row is on the server, in the same transaction, so that the row and
/// its audit row are stored together. A failure drops the edit, so the card goes on
/// showing the picture that is stored, and reaches the caller.
template <typename Change>
void postPhotoRow(TADOQuery& photo, Change change, const std::function<void()>& logWritten = {})
{
    const TDataSetNotifyEvent own = photo.OnRowWritten;
    if (logWritten)
        photo.OnRowWritten = [own, logWritten](TDataSet& dataSet) {
            if (own)
                own(dataSet);
            logWritten();
        };
    try {
        photo.Edit();
        change(*photo.FieldByName(kPhotoField));
        photo.Post();
    } catch (...) {
        photo.OnRowWritten = own;
        photo.Cancel();
        throw;
    }
    photo.OnRowWritten = own;
}

}  // namespace

void TForm1::connectPhotoButtons()
{
    connect(TabSheet1->BitBtn1, &QPushButton::clicked, this, ui::guarded(this, [this] { BitBtn1Click(); }));
    connect(TabSheet1->SpeedButton11, &QPushButton::clicked, this,
            ui::guarded(this, [this] { SpeedButton11Click(); }));
}

QImage TForm1::LoadPhotoFile()
{
    const QString path = PhotoFileDialog::current().chooseFile(this, PhotoFileDialog::jpegFilter());
    if (path.isEmpty())
        return {};
    return JpegCodec::readFile(path);
}

void TForm1::BitBtn1Click()
{
    const TADOQuery& master = m_dm.ADO_TEACHER;
    const TField* key = master.Active() && !master.IsEmpty() ? master.FindField(QStringLiteral("id_teacher")) : nullptr;
    if (!key || key->IsNull()) {
        ui::MessageBoxes::information(this, kSaveEmployeeFirst);
        return;
    }
    TADOQuery& photo = m_dm.ADOQ_photo;
    if (!photo.Active())
        photo.Open();

    const QImage picture = LoadPhotoFile();
    if (picture.isNull())
        return;
    const PhotoEditor::Result result = PhotoEditor::current().edit(this, picture);
    if (!result.accepted || result.bitmap.isNull())
        return;

    const QByteArray bitmap = ui::PictureBytes::toBmp(result.bitmap);
    std::function<void()> logWritten;
    if (m_auditLog)
        logWritten = [this, &photo] {
            // A new row has its identity by now.
            m_dm.ADOQ_Exec.SetSQL(
                m_auditLog->PhotoStatement(photo.FieldByName(QStringLiteral("id_photo"))->AsString()));
            m_dm.ADOQ_Exec.ExecSQL();
        };
    postPhotoRow(photo, [&bitmap](TField& field) { field.SetAsBytes(bitmap); }, logWritten);
}

void TForm1::SpeedButton11Click()
{
    TADOQuery& photo = m_dm.ADOQ_photo;
    if (!photo.Active() || photo.IsEmpty())
        return;
    if (!ui::MessageBoxes::askYesNo(this, kDeleteQuestion))
        return;
    postPhotoRow(photo, [](TField& field) { field.Clear(); });
}

}  // namespace zel
