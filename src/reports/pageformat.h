#pragma once
// "Page format": paper size and orientation for every report. Preset from
// the main window each time it opens; "Ok" stores both rows in params.dbf
// and on the main window, closing it otherwise changes nothing.

#include <functional>

#include <QDialog>

namespace Ui {
class TPageFormat;
}


namespace tw::db {
class Table;
}

namespace tw::reports {

class TPageFormat : public QDialog {
    Q_OBJECT
public:
    // Where the choice lives: the main window's three members and the
    // settings table.
    struct Host {
        int* PaperSizeIndex = nullptr;
        int* PaperOrientationIndex = nullptr;
        int* PageFormatCode = nullptr;
        std::function<db::Table*()> ParamsTable;
    };

    explicit TPageFormat(QWidget* parent = nullptr);
    ~TPageFormat() override;

    void SetHost(Host host) { host_ = std::move(host); }
    // Presets the groups and shows the dialog modally.
    int Execute();
    void Preset();
    void OkClick();

    int SizeRow() const;
    int OrientationRow() const;

private:
    Ui::TPageFormat* ui;
    Host host_;
};

}  // namespace tw::reports
