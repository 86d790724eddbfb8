#pragma once
// A pair of small arrows that step a value forward (up) or back (down);
// the control keeps no value of its own. Each arrow has a name a screen
// reader says; a window names them for what they step, in a .ui file as
//   <property name="upName" stdset="0"><string>One day forward</string></property>

#include <QWidget>

namespace tw::controls {

class UpDownArrows : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString upName READ UpName WRITE SetUpName)
    Q_PROPERTY(QString downName READ DownName WRITE SetDownName)
public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    QString UpName() const;
    void SetUpName(const QString& name);
    QString DownName() const;
    void SetDownName(const QString& name);

signals:
    void Clicked(bool up);

private:
    QWidget* up_ = nullptr;
    QWidget* down_ = nullptr;
};

}  // namespace tw::controls
