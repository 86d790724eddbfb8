#include "customers/importgraphicform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "customers/photoimage.h"
#include "ui_Importgraphicform.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QPixmap>
#include <QSignalBlocker>

#include <algorithm>

#include "customers/jpegpicture.h"

namespace tw::customers {

TGraphicImport::TGraphicImport(CustomerPhotos& photos, data::UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TGraphicImport>()),
      photos_(photos),
      ui_(ui)
{
    this->ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setModal(false);
    this->ui->Scale->setCurrentIndex(kScaleEighth);
    ChooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Import photo"), QString(),
            QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp);;All files (*)"));
    };
    connect(this->ui->ImportPhoto, &controls::TFcControl::clicked, this, &TGraphicImport::ImportPhotoClick);
    connect(this->ui->Save, &controls::TFcControl::clicked, this, &TGraphicImport::SaveClick);
    connect(this->ui->Delete, &controls::TFcControl::clicked, this, &TGraphicImport::DeleteClick);
    connect(this->ui->Help, &controls::TFcControl::clicked, this, &TGraphicImport::HelpClick);
    connect(this->ui->Scale, &QComboBox::currentIndexChanged, this, &TGraphicImport::ScaleChange);
}

TGraphicImport::~TGraphicImport() = default;

QLabel* TGraphicImport::Image1() const
{
    return ui->Image1;
}
QComboBox* TGraphicImport::Scale() const
{
    return ui->Scale;
}
controls::TFcBitBtn* TGraphicImport::SaveButton() const
{
    return ui->Save;
}

void TGraphicImport::Open(std::int32_t cid, int scaleIndex, bool photo2)
{
    if (open_) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        return;
    }
    cid_ = cid;
    photo2_ = photo2;
    open_ = true;
    {
        const QSignalBlocker quiet(ui->Scale);
        ui->Scale->setCurrentIndex(std::clamp(scaleIndex, 0, kScaleEighth));
    }
    ShowStoredPhoto();
    show();
}

void TGraphicImport::ShowStoredPhoto()
{
    if (!open_)
        return;
    bytes_ = photos_.Load(cid_).Image(photo2_);
    imported_ = false;
    ShowPicture();
}

void TGraphicImport::ShowPicture()
{
    // A stored picture is shown only when it is a JPEG picture, as the photo
    // panel shows it; an imported file may be any picture Qt reads.
    const QImage image = PhotoImage(bytes_, ui->Scale->currentIndex(), !imported_);
    if (image.isNull())
        ui->Image1->clear();
    else
        ui->Image1->setPixmap(QPixmap::fromImage(image));
    ui->Save->setEnabled(!bytes_.empty());
}

void TGraphicImport::ImportPhotoClick()
{
    if (!open_ || !ChooseFile)
        return;
    const QString path = ChooseFile();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui_.ShowMessage("The picture file " + path.toStdString() + " could not be read", "Tarnwick",
                        data::MessageIcon::Warning);
        return;
    }
    const QByteArray data = file.readAll();
    bytes_.assign(data.begin(), data.end());
    imported_ = true;
    ShowPicture();
}

void TGraphicImport::ScaleChange()
{
    if (open_)
        ShowPicture();
}

void TGraphicImport::SaveClick()
{
    if (!open_ || bytes_.empty())
        return;
    if (!photos_.Save(cid_, photo2_, bytes_, ui->Scale->currentIndex())) {
        ui_.ShowMessage("The customer of this photo no longer exists", "Tarnwick",
                        data::MessageIcon::Warning);
        return;
    }
    if (ShowCustomerPhoto)
        ShowCustomerPhoto();
    FormClose();
}

void TGraphicImport::DeleteClick()
{
    if (!open_)
        return;
    photos_.Delete(cid_, photo2_);
    if (ShowCustomerPhoto)
        ShowCustomerPhoto();
    FormClose();
}

void TGraphicImport::HelpClick()
{
    const QString page = QStringLiteral("Import photos.htm");
    if (!OpenHelpPage || !OpenHelpPage(page))
        ui_.ShowMessage("The help page " + page.toStdString() + " could not be opened", "Error",
                        data::MessageIcon::Stop);
}

void TGraphicImport::FormClose()
{
    open_ = false;
    bytes_.clear();
    hide();
}

void TGraphicImport::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TGraphicImport::reject()
{
    FormClose();
}

}  // namespace tw::customers
