#include "customers/customfieldsform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/status/fcstatusbar.h"
#include "ui_Customfieldsform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSignalBlocker>

#include <algorithm>

namespace tw::customers {

TCustomFields::TCustomFields(CustomFields& logic, int& left, int& top, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TCustomFields>()),
      logic_(logic),
      left_(left),
      top_(top)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->StatusBar->AddPane(0);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    setFixedSize(478, 470);
    QLabel* labels[] = {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label7};
    QLineEdit* names[] = {ui->Name1, ui->Name2, ui->Name3, ui->Name4, ui->Name5, ui->Name6, ui->Name7};
    QLineEdit* values[] = {ui->Value1, ui->Value2, ui->Value3, ui->Value4,
                           ui->Value5, ui->Value6, ui->Value7};
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        labels_[i] = labels[i];
        names_[i] = names[i];
        values_[i] = values[i];
    }
    connect(ui->AddDefinition, &controls::TFcControl::clicked, this, &TCustomFields::AddDefinitionClick);
    connect(ui->Save, &controls::TFcControl::clicked, this, &TCustomFields::SaveClick);
    connect(ui->DeleteAll, &controls::TFcControl::clicked, this, &TCustomFields::DeleteAllClick);
    connect(ui->DoneEdit, &controls::TFcControl::clicked, this, &TCustomFields::DoneEditClick);
    connect(ui->Done, &controls::TFcControl::clicked, this, &TCustomFields::DoneClick);
    connect(ui->Search, &controls::TFcControl::clicked, this, &TCustomFields::SearchClick);
    for (controls::TFcRadioButton* b : {ui->SearchCustomers, ui->SearchResources, ui->SearchTasks})
        connect(b, &controls::TFcControl::clicked, this, &TCustomFields::SearchSelectionClick);

    // The data module saves and shows values around every move of the
    // owner's view; what the user typed is read first, what it shows after.
    logic_.ModuleViews().FieldValues = this;
    ShowForm();
}

TCustomFields::~TCustomFields()
{
    logic_.ModuleViews().FieldValues = &logic_;
}

void TCustomFields::SaveCustomFieldValues(int kind)
{
    ReadFromWindow();
    logic_.SaveCustomFieldValues(kind);
}

void TCustomFields::LoadCustomFieldValues(int kind)
{
    logic_.LoadCustomFieldValues(kind);
    ShowForm();
}

void TCustomFields::ReadFromWindow()
{
    CustomFieldsForm& f = logic_.Form;
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        f.Values[i] = values_[i]->text().toStdString();
        f.Names[i] = names_[i]->text().toStdString();
    }
    f.SearchSelection = ui->SearchResources->Checked() ? 1 : ui->SearchTasks->Checked() ? 2 : 0;
}

void TCustomFields::ShowForm()
{
    const CustomFieldsForm& f = logic_.Form;
    setWindowTitle(QString::fromStdString(f.Caption));
    ui->TopGroup->SetCaption(QString::fromStdString(f.TopGroupCaption));
    ui->TopGroup->setToolTip(f.HintsShown ? QString::fromStdString(f.TopGroupHint) : QString());
    ui->Label9->setText(QString::fromStdString(f.Label9Caption));
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        labels_[i]->setText(QString::fromStdString(f.Labels[i]));
        labels_[i]->setVisible(f.LabelShown[i]);
        values_[i]->setVisible(f.LabelShown[i]);
        values_[i]->setEnabled(f.LabelShown[i]);
        names_[i]->setVisible(f.NameShown[i]);
        names_[i]->setEnabled(f.NameShown[i]);
        if (values_[i]->text().toStdString() != f.Values[i])
            values_[i]->setText(QString::fromStdString(f.Values[i]));
        if (names_[i]->text().toStdString() != f.Names[i])
            names_[i]->setText(QString::fromStdString(f.Names[i]));
        values_[i]->setReadOnly(f.ValuesReadOnly);
    }
    ui->AddDefinition->setEnabled(f.AddDefinitionEnabled);
    ui->Save->setEnabled(f.SaveEnabled);
    ui->DeleteAll->setEnabled(f.DeleteAllEnabled);
    ui->EditPanel->setEnabled(f.EditPanelEnabled);
    ui->SearchPanel->setEnabled(f.SearchPanelEnabled);
    // Help level 1 hides the hints of the buttons; the texts stay in the form.
    const struct {
        QWidget* widget;
        const char* hint;
    } hints[] = {{ui->AddDefinition, "Add, Edit or Delete custom field definitions"},
                 {ui->DeleteAll, "Add, Edit or Delete custom field definitions"},
                 {ui->Save, "Save custom field definitions"},
                 {ui->Search, "Search for all search words entered above."}};
    for (const auto& h : hints)
        h.widget->setToolTip(f.HintsShown ? QString::fromLatin1(h.hint) : QString());
    controls::TFcRadioButton* kinds[] = {ui->SearchCustomers, ui->SearchResources, ui->SearchTasks};
    {
        const QSignalBlocker quiet(kinds[std::clamp(f.SearchSelection, 0, 2)]);
        kinds[std::clamp(f.SearchSelection, 0, 2)]->SetChecked(true);
    }
    ui->StatusBar->SetPanelText(0, QString::fromStdString(f.Status));
    // Closed by the logic (a search that found records, Delete all): the
    // place is kept for the next opening.
    if (!f.Visible && isVisible()) {
        left_ = x();
        top_ = y();
        hide();
    }
}

QString TCustomFields::StatusText() const
{
    return ui->StatusBar->PanelText(0);
}

void TCustomFields::Open(bool search, int kind, bool readOnly, int helpLevel)
{
    ReadFromWindow();
    const bool wasOpen = logic_.IsOpen;
    logic_.Open(search, kind, readOnly, helpLevel);
    ShowForm();
    if (wasOpen) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    } else {
        move(left_, top_);
    }
    show();
    raise();
}

void TCustomFields::AddDefinitionClick()
{
    ReadFromWindow();
    logic_.AddDefinitionClick();
    ShowForm();
}

void TCustomFields::SaveClick()
{
    ReadFromWindow();
    logic_.SaveClick();
    ShowForm();
}

void TCustomFields::DeleteAllClick()
{
    ReadFromWindow();
    logic_.DeleteAllClick();
    ShowForm();
}

void TCustomFields::DoneClick()
{
    FormClose();
}
void TCustomFields::DoneEditClick()
{
    FormClose();
}

void TCustomFields::SearchSelectionClick()
{
    ReadFromWindow();
    logic_.SearchSelectionClick();
    ShowForm();
}

void TCustomFields::SearchClick()
{
    ReadFromWindow();
    // The search shows its own hourglass.
    logic_.SearchClick();
    ShowForm();
}

void TCustomFields::FormClose()
{
    ReadFromWindow();
    logic_.FormDestroy();
    ShowForm();
    hide();
}

void TCustomFields::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

// Escape closes as Close does, saving the shown values.
void TCustomFields::reject()
{
    FormClose();
}

}  // namespace tw::customers
