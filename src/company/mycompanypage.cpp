#include "company/mycompanypage.h"

#include "ui_mycompanypage.h"

#include <QLayout>
#include <QLineEdit>

#include <exception>

namespace tw::company {

TMyCompanyPage::TMyCompanyPage(db::Table& myCompany, const data::MainScreenState& state,
                               data::UserInterface& userInterface, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TMyCompanyPage>()),
      userInterface_(userInterface),
      logic_(*this, myCompany, state, userInterface)
{
    ui->setupUi(this);
    for (const CompanyFieldSpec& spec : CompanyFields()) {
        QLineEdit* edit = Edit(spec.Field);
        edit->setMaxLength(spec.Width);
        connect(edit, &QLineEdit::editingFinished, this, [this, field = spec.Field] {
            if (!showing_)
                Guarded([&] { logic_.FieldEdited(field); });
        });
    }
}

TMyCompanyPage::~TMyCompanyPage() = default;

QLineEdit* TMyCompanyPage::Edit(CompanyField field) const
{
    switch (field) {
    case CompanyField::Name: return ui->CompanyName;
    case CompanyField::Address1: return ui->Address1;
    case CompanyField::Address2: return ui->Address2;
    case CompanyField::City: return ui->City;
    case CompanyField::State: return ui->State;
    case CompanyField::PostalCode: return ui->PostalCode;
    case CompanyField::Phone: return ui->Phone;
    }
    return ui->CompanyName;
}

// No failure leaves the page's handlers: it is shown as the program's error.
template <typename Work>
void TMyCompanyPage::Guarded(Work&& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        userInterface_.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

void TMyCompanyPage::ShowField(CompanyField field, const std::string& text)
{
    showing_ = true;
    Edit(field)->setText(QString::fromStdString(text));
    showing_ = false;
}

std::string TMyCompanyPage::FieldText(CompanyField field) const
{
    return Edit(field)->text().toStdString();
}

void TMyCompanyPage::SetEditable(bool editable)
{
    for (const CompanyFieldSpec& spec : CompanyFields())
        Edit(spec.Field)->setReadOnly(!editable);
}

void TMyCompanyPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Guarded([this] { logic_.PageShown(); });
}

void TMyCompanyPage::hideEvent(QHideEvent* event)
{
    Guarded([this] { logic_.PageHidden(); });
    QWidget::hideEvent(event);
}

TMyCompanyPage* AddMyCompanyPage(QWidget* area, db::Table& myCompany, const data::MainScreenState& state,
                                 data::UserInterface& ui)
{
    auto* page = new TMyCompanyPage(myCompany, state, ui, area);
    page->setObjectName(QStringLiteral("MyCompanyPage"));
    if (QLayout* layout = area->layout())
        layout->addWidget(page);
    return page;
}

}  // namespace tw::company
