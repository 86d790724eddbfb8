#pragma once
// The custom fields window: seven slots of a name and a value over the
// definitions' edit buttons and the search panel. All work is done by the
// window-free CustomFields; the window copies the typed texts into its form
// before each call and shows the form after it.

#include <QDialog>

#include <memory>

#include "customers/customfields.h"

namespace Ui {
class TCustomFields;
}

class QLineEdit;
class QLabel;

namespace tw::customers {

// While it exists the window stands in for its logic as the data module's
// view of the values: what the user typed is read before they are saved, what
// they are is shown after they are loaded.
class TCustomFields : public QDialog, private data::CustomFieldValues {
    Q_OBJECT
public:
    // left, top: the place the main window remembers between runs.
    TCustomFields(CustomFields& logic, int& left, int& top, QWidget* parent = nullptr);
    ~TCustomFields() override;

    CustomFields& Logic() { return logic_; }
    void Open(bool search, int kind, bool readOnly, int helpLevel);

    void AddDefinitionClick();
    void SaveClick();
    void DeleteAllClick();
    void DoneClick();
    void DoneEditClick();
    void SearchSelectionClick();
    void SearchClick();

    // The form's texts into the logic, and back.
    void ReadFromWindow();
    void ShowForm();

    QLineEdit* ValueEdit(int slot) const { return values_[slot]; }
    QLineEdit* NameEdit(int slot) const { return names_[slot]; }
    QLabel* SlotLabel(int slot) const { return labels_[slot]; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormClose();
    void SaveCustomFieldValues(int kind) override;
    void LoadCustomFieldValues(int kind) override;

    std::unique_ptr<Ui::TCustomFields> ui;
    CustomFields& logic_;
    int& left_;
    int& top_;
    QLabel* labels_[kCustomFieldSlots] = {};
    QLineEdit* names_[kCustomFieldSlots] = {};
    QLineEdit* values_[kCustomFieldSlots] = {};
};

}  // namespace tw::customers
