#include "reports/pageformat.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/choices/fcglyphbutton.h"
#include "reports/pageformatcode.h"
#include "ui_pageformat.h"

namespace tw::reports {

TPageFormat::TPageFormat(QWidget* parent) : QDialog(parent), ui(new Ui::TPageFormat)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(ui->Ok, &controls::TFcControl::clicked, this, &TPageFormat::OkClick);
}

TPageFormat::~TPageFormat()
{
    delete ui;
}

int TPageFormat::SizeRow() const
{
    return ui->SizeLegal->Checked() ? 1 : ui->SizeA4->Checked() ? 2 : 0;
}

int TPageFormat::OrientationRow() const
{
    return ui->Landscape->Checked() ? 1 : 0;
}

void TPageFormat::Preset()
{
    const int size = host_.PaperSizeIndex ? *host_.PaperSizeIndex : 0;
    const int orientation = host_.PaperOrientationIndex ? *host_.PaperOrientationIndex : 0;
    (size == 1 ? ui->SizeLegal : size == 2 ? ui->SizeA4 : ui->SizeLetter)->SetChecked(true);
    (orientation != 0 ? ui->Landscape : ui->Portrait)->SetChecked(true);
}

int TPageFormat::Execute()
{
    Preset();
    return exec();
}

void TPageFormat::OkClick()
{
    const int size = SizeRow(), orientation = OrientationRow();
    if (host_.PageFormatCode)
        *host_.PageFormatCode = DerivePageFormatCode(size, orientation, *host_.PageFormatCode);
    if (host_.ParamsTable)
        if (db::Table* params = host_.ParamsTable())
            StorePageFormat(*params, size, orientation);
    if (host_.PaperSizeIndex)
        *host_.PaperSizeIndex = size;
    if (host_.PaperOrientationIndex)
        *host_.PaperOrientationIndex = orientation;
    accept();
}

}  // namespace tw::reports
