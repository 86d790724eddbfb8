#include "customers/customerpage.h"

#include "controls/base/fcformkeys.h"
#include "controls/recordnavigator.h"
#include "customers/customfieldsform.h"
#include "customers/importgraphicform.h"
#include "customers/photoimage.h"
#include "ui_customerpage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

#include <exception>

namespace tw::app {

using customers::NavigatorAction;

TCustomerPage::TCustomerPage(data::TEstimateData& data, data::MainScreenState& state, data::UserInterface& ui,
                             CustomerPageHost& host, customers::CustomFieldsHost& fieldsHost, query::QueryState& query,
                             int& customFieldsLeft, int& customFieldsTop, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TCustomerPage>()),
      data_(data),
      state_(state),
      ui_(ui),
      host_(host)
{
    this->ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    const customers::CustomerTabTables tabTables{
        data.CustomersTable, data.CustomersTable2, data.CustomersTable3, data.PhotosTable,
        data.JobsTable,      data.JobsTable2,      data.ChartsTable2,    data};
    tab_ = std::make_unique<customers::CustomerTab>(
        tabTables, static_cast<customers::CustomerTabView&>(*this), state, ui);
    const customers::CustomFieldTables fieldTables{
        data.CustomersTable,    data.CustomersTable2,    data.CrewsTable,
        data.CrewsTable2,       data.ChartsTable,        data.ChartsTable2,
        data.CustomFieldsTable, data.CustomFieldsTable2, data.CustomFieldsTable3};
    fields_ =
        std::make_unique<customers::CustomFields>(fieldTables, data.Views(), fieldsHost, query, state, ui);
    fieldsWindow_ =
        std::make_unique<customers::TCustomFields>(*fields_, customFieldsLeft, customFieldsTop, window());
    graphicImport_ = std::make_unique<customers::TGraphicImport>(tab_->Photos, ui, window());
    graphicImport_->ShowCustomerPhoto = [this] { ShowCustomerPhoto(); };
    graphicImport_->OpenHelpPage = [this](const QString& page) { return host_.OpenHelpPage(page); };

    data.Views().CustomerPage = this;

    controls::RecordNavigator* nav = this->ui->CustomerNavigator2;
    nav->SetHints({QStringLiteral("First customer"), QStringLiteral("Prior customer"),
                   QStringLiteral("Next customer"), QStringLiteral("Last customer"),
                   QStringLiteral("Add a customer"), QStringLiteral("Remove this customer")});
    // The navigator's buttons are in the order of NavigatorAction.
    nav->Action = [this](controls::RecordNavigator::Button b) {
        NavigatorClick(static_cast<NavigatorAction>(b));
    };

    for (const customers::CustomerEditField& f : customers::CustomerEditFields()) {
        QLineEdit* edit = Edit(f.Edit);
        if (f.UpperCase) {
            connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
                const int cursor = edit->cursorPosition();
                edit->setText(text.toUpper());
                edit->setCursorPosition(cursor);
                edit->setModified(true);
            });
        }
        connect(edit, &QLineEdit::editingFinished, this, [this, f, edit] {
            if (showing_)
                return;
            QString text = edit->text();
            if (f.UpperCase)
                text = text.toUpper();
            Write(f.Field, text.toStdString());
        });
    }
    this->ui->Notes->installEventFilter(this);
    // The boxes answer a change of state, whoever makes it (mouse, keys, a
    // screen reader); the page's own settings below raise none.
    connect(this->ui->DBCheckBox1, &controls::TFcControl::clicked, this,
            [this] { Write("S1", this->ui->DBCheckBox1->Checked() ? "T" : "F"); });
    connect(this->ui->UseAlt, &controls::TFcControl::clicked, this, [this] {
        FlushEdits();
        Guarded([&] { tab_->UseAltClick(this->ui->UseAlt->Checked()); });
    });
    connect(this->ui->RestrictCustomer, &controls::TFcControl::clicked, this,
            [this] { RestrictCustomerClick(this->ui->RestrictCustomer->Checked()); });
    connect(this->ui->Reverse, &controls::TFcControl::clicked, this, [this] {
        FlushEdits();
        Guarded([&] { tab_->ReverseClick(); });
    });
    connect(this->ui->Copy, &controls::TFcControl::clicked, this, [this] {
        FlushEdits();
        Guarded([&] { tab_->CopyClick(); });
    });
    connect(this->ui->MarkAllActive, &controls::TFcControl::clicked, this, [this] {
        FlushEdits();
        Guarded([&] { tab_->MarkAllActiveClick(); });
        SyncRestriction();
    });
    connect(this->ui->MarkAllInactive, &controls::TFcControl::clicked, this, [this] {
        FlushEdits();
        Guarded([&] { tab_->MarkAllInactiveClick(); });
        SyncRestriction();
    });
    connect(this->ui->CustomerCustomFields, &controls::TFcControl::clicked, this,
            &TCustomerPage::CustomerCustomFieldsClick);
    connect(this->ui->LocateCustName, &controls::TFcControl::clicked, this, &TCustomerPage::LocateCustNameClick);
    connect(this->ui->CustName, &QLineEdit::returnPressed, this, &TCustomerPage::LocateCustNameClick);
    this->ui->ScrollBox1->viewport()->installEventFilter(this);
    this->ui->Image1->installEventFilter(this);
    qApp->installEventFilter(this);
}

TCustomerPage::~TCustomerPage()
{
    qApp->removeEventFilter(this);
    data::DataModuleViews& views = data_.Views();
    if (views.CustomerPage == this)
        views.CustomerPage = nullptr;
    graphicImport_.reset();
    fieldsWindow_.reset();
}

template <typename Work>
void TCustomerPage::Guarded(Work&& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        ui_.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

void TCustomerPage::SetWindowCaption(const std::string& text)
{
    window()->setWindowTitle(QString::fromStdString(text));
}

// The Add / Edit / Query page's labels follow from its own query, which
// ApplyCustomerQuery runs: the tab leaves them to it.
void TCustomerPage::SetCustomersLabel(const std::string&) {}
void TCustomerPage::SetJobsLabel(const std::string&) {}
void TCustomerPage::SetTasksLabel(const std::string&) {}

void TCustomerPage::ApplyCustomerQuery()
{
    if (data::PageControlView* pages = data_.Views().Pages)
        pages->ApplyCustomerQuery();
}

void TCustomerPage::ShowMovedCustomer()
{
    ShowCustomer();
    ShowCustomerPhoto();
}

void TCustomerPage::SetUseAlt(bool checked)
{
    const QSignalBlocker quiet(ui->UseAlt);
    ui->UseAlt->SetChecked(checked);
}

QLabel* TCustomerPage::Image1() const
{
    return ui->Image1;
}

QLineEdit* TCustomerPage::Edit(const char* name) const
{
    return findChild<QLineEdit*>(QLatin1String(name));
}

void TCustomerPage::ShowCustomer()
{
    showing_ = true;
    const bool has = state_.TablesOpen && tab_->HasCustomer();
    loadedCid_ = has ? tab_->CurrentCustomerId() : -1;
    const bool readOnly = state_.ReadOnlyCopy || !has;
    for (const customers::CustomerEditField& f : customers::CustomerEditFields()) {
        QLineEdit* edit = Edit(f.Edit);
        edit->setText(has ? QString::fromStdString(tab_->FieldText(f.Field)).trimmed() : QString());
        edit->setReadOnly(readOnly);
    }
    ui->Notes->setPlainText(has ? QString::fromStdString(tab_->FieldText("NOTES")) : QString());
    ui->Notes->setReadOnly(readOnly);
    ui->Notes->document()->setModified(false);
    const auto state = [](bool on) { return on ? controls::cbChecked : controls::cbUnchecked; };
    ui->DBCheckBox1->InitState(state(has && tab_->FieldText("S1") == "T"));
    ui->DBCheckBox2->InitState(state(has && tab_->FieldText("S3") == "T"));
    ui->DBCheckBox1->setEnabled(!readOnly);
    ui->UseAlt->InitState(state(has && tab_->FieldText("USEALT") == "T"));
    ui->CustomerNavigator2->ButtonOf(controls::RecordNavigator::Delete)->setEnabled(!state_.ReadOnlyCopy);
    ui->CustomerNavigator2->ButtonOf(controls::RecordNavigator::Insert)->setEnabled(!state_.ReadOnlyCopy);
    showing_ = false;
}

void TCustomerPage::ShowCustomerPhoto()
{
    customers::PhotoPanelContent shown;
    if (state_.TablesOpen)
        Guarded([&] { shown = tab_->CurrentPhoto(); });
    ui->PhotoPanel->SetCaption(QString::fromStdString(shown.Caption));
    const QImage image = customers::PhotoImage(shown.Bytes, shown.Scale, true);
    if (image.isNull())
        ui->Image1->clear();
    else
        ui->Image1->setPixmap(QPixmap::fromImage(image));
}

bool TCustomerPage::Write(const char* field, const std::string& text)
{
    bool current = true;
    Guarded([&] { current = tab_->WriteField(loadedCid_, field, text); });
    // The cursor moved without the form being filled again: what the controls
    // hold belongs to another customer, so show the current one instead.
    if (!current && state_.TablesOpen)
        ShowCustomer();
    return current;
}

void TCustomerPage::FlushEdits()
{
    if (!state_.TablesOpen || !tab_->HasCustomer())
        return;
    for (const customers::CustomerEditField& f : customers::CustomerEditFields()) {
        QLineEdit* edit = Edit(f.Edit);
        if (edit->isModified()) {
            QString text = edit->text();
            if (f.UpperCase)
                text = text.toUpper();
            edit->setModified(false);
            if (!Write(f.Field, text.toStdString()))
                return;
        }
    }
    if (ui->Notes->document()->isModified()) {
        ui->Notes->document()->setModified(false);
        Write("NOTES", ui->Notes->toPlainText().toStdString());
    }
}

void TCustomerPage::CloseDialogs()
{
    FlushEdits();
    if (fields_->IsOpen)
        fieldsWindow_->DoneClick();
    graphicImport_->close();
}

void TCustomerPage::RestrictCustomerClick(bool restrict)
{
    FlushEdits();
    {
        const QSignalBlocker quiet(ui->RestrictCustomer);
        ui->RestrictCustomer->SetChecked(restrict);
    }
    Guarded([&] { tab_->RestrictCustomerClick(restrict); });
    host_.RestrictCustomerChanged(restrict);
}

// Marking all customers may have lifted the restriction.
void TCustomerPage::SyncRestriction()
{
    if (ui->RestrictCustomer->Checked() == tab_->RestrictCustomer)
        return;
    const QSignalBlocker quiet(ui->RestrictCustomer);
    ui->RestrictCustomer->SetChecked(tab_->RestrictCustomer);
    host_.RestrictCustomerChanged(tab_->RestrictCustomer);
}

void TCustomerPage::NavigatorClick(NavigatorAction action)
{
    FlushEdits();
    Guarded([&] { tab_->NavigatorClick(action); });
    ui->DBEdit1->setFocus();
}

void TCustomerPage::OpenCustomFields(bool search, int kind, int helpLevel)
{
    FlushEdits();
    Guarded([&] { fieldsWindow_->Open(search, kind, search ? false : state_.ReadOnlyCopy, helpLevel); });
}

void TCustomerPage::CustomerCustomFieldsClick()
{
    OpenCustomFields(false, customers::kCustomerFields, state_.HelpLevel);
}

void TCustomerPage::LocateCustNameClick()
{
    FlushEdits();
    Guarded([&] { tab_->LocateCustNameClick(ui->CustName->text().toStdString()); });
}

void TCustomerPage::PhotoDoubleClick()
{
    if (!state_.TablesOpen || !tab_->HasCustomer())
        return;
    customers::CustomerTab::PhotoChoice choice;
    Guarded([&] { choice = tab_->PhotoDoubleClick(); });
    graphicImport_->Open(choice.Cid, choice.Scale, choice.Photo2);
}

void TCustomerPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (state_.TablesOpen) {
        ShowCustomer();
        ShowCustomerPhoto();
    }
}

bool TCustomerPage::HandleTabKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // Keys typed into a dialog, or while another tab shows, are not ours.
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window() || !isVisible() || !state_.TablesOpen)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    customers::TabKey tabKey = customers::TabKey::Other;
    switch (key->key()) {
    case Qt::Key_PageUp: tabKey = customers::TabKey::PageUp; break;
    case Qt::Key_PageDown: tabKey = customers::TabKey::PageDown; break;
    case Qt::Key_Up: tabKey = customers::TabKey::ArrowUp; break;
    case Qt::Key_Down: tabKey = customers::TabKey::ArrowDown; break;
    case Qt::Key_Insert: tabKey = customers::TabKey::Insert; break;
    default: return false;
    }
    FlushEdits();
    bool handled = false;
    Guarded([&] { handled = tab_->HandleKey(tabKey, true); });
    if (handled && tabKey == customers::TabKey::Insert && !state_.ReadOnlyCopy)
        ui->DBEdit1->setFocus();
    return handled;
}

bool TCustomerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && (watched == ui->ScrollBox1->viewport() || watched == ui->Image1)) {
        PhotoDoubleClick();
        return true;
    }
    if (watched == ui->Notes && event->type() == QEvent::FocusOut)
        FlushEdits();
    if (HandleTabKey(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace tw::app
