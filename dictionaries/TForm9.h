#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {

/// "Изменение ФИО": the surname, name and patronymic of an employee in three
/// boxes. "Сохранить" (Enter) accepts, "Отмена" (Esc) or closing rejects; the
/// caller writes the texts. Holds no data of its own.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;  ///< surname
    QLabel* Label2;
    QLineEdit* Edit2;  ///< name
    QLabel* Label3;
    QLineEdit* Edit3;  ///< patronymic
    QPushButton* BitBtn1;  ///< "Отмена"
    QPushButton* BitBtn2;  ///< "Сохранить"

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace zel
