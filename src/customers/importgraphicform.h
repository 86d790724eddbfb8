#pragma once
// The photo dialog: imports a picture file, shows it at a chosen scale and
// stores it as photo 1 or 2 of a customer, or deletes the stored one.
//
// The dialog is modeless while the user may move through the customers, so
// it is bound to the customer and the picture bytes it was opened with:
// Save and Delete act on that customer, and Save stores what is shown.

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "customers/customerphotos.h"
#include "data/services/userinterface.h"

namespace Ui {
class TGraphicImport;
}

class QLabel;
class QComboBox;

namespace tw::controls {
class TFcBitBtn;
}

namespace tw::customers {

class TGraphicImport : public QDialog {
    Q_OBJECT
public:
    TGraphicImport(CustomerPhotos& photos, data::UserInterface& ui, QWidget* parent = nullptr);
    ~TGraphicImport() override;

    // The customer tab shows the changed photo.
    std::function<void()> ShowCustomerPhoto;
    // Opens the dialog's help page; false when it could not be opened.
    std::function<bool(const QString& page)> OpenHelpPage;
    // The file the user picks; Qt's file dialog unless a test sets another.
    std::function<QString()> ChooseFile;

    void Open(std::int32_t cid, int scaleIndex, bool photo2);
    bool IsOpen() const { return open_; }
    std::int32_t CustomerId() const { return cid_; }
    bool EditsPhoto2() const { return photo2_; }

    void ShowStoredPhoto();
    void ImportPhotoClick();
    void ScaleChange();
    void SaveClick();
    void DeleteClick();
    void HelpClick();

    QLabel* Image1() const;
    QComboBox* Scale() const;
    controls::TFcBitBtn* SaveButton() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ShowPicture();
    void FormClose();

    std::unique_ptr<Ui::TGraphicImport> ui;
    CustomerPhotos& photos_;
    data::UserInterface& ui_;
    bool open_ = false;
    std::int32_t cid_ = 0;
    bool photo2_ = false;
    std::vector<std::uint8_t> bytes_;
    bool imported_ = false;
};

}  // namespace tw::customers
