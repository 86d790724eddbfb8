#pragma once
// The My company tab's page: the company record the reports print, one
// field per line. The page moves texts between its fields and the
// window-free MyCompanyLogic; a field is written when the user leaves it.

#include "company/mycompanylogic.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TMyCompanyPage;
}

class QLineEdit;

namespace tw::company {

class TMyCompanyPage : public QWidget, public MyCompanyView {
    Q_OBJECT
public:
    TMyCompanyPage(db::Table& myCompany, const data::MainScreenState& state, data::UserInterface& ui,
                   QWidget* parent = nullptr);
    ~TMyCompanyPage() override;

    MyCompanyLogic& Logic() { return logic_; }

    void ShowField(CompanyField field, const std::string& text) override;
    std::string FieldText(CompanyField field) const override;
    void SetEditable(bool editable) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* Edit(CompanyField field) const;
    template <typename Work>
    void Guarded(Work&& work);

    std::unique_ptr<Ui::TMyCompanyPage> ui;
    data::UserInterface& userInterface_;
    MyCompanyLogic logic_;
    bool showing_ = false;
};

// Puts the page on the main window's My company tab (its area's layout).
TMyCompanyPage* AddMyCompanyPage(QWidget* area, db::Table& myCompany, const data::MainScreenState& state,
                                 data::UserInterface& ui);

}  // namespace tw::company
