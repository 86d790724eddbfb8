#pragma once
// TFcVersionInfo: the ten standard version values of a program file. For our
// own executable they come from a table made when the program is built (name
// and version from the build); any other file has no version information
// here and gives "Value Not Available" in every field. Panes that follow the
// component are told when it reads again.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>
namespace tw::controls {
enum TFcVersionInfoField {
    vifCompanyName,
    vifFileDescription,
    vifFileVersion,
    vifInternalName,
    vifCopyright,
    vifTrademarks,
    vifOriginalFilename,
    vifProductName,
    vifProductVersion,
    vifComments
};
inline constexpr int kVersionFieldCount = 10;
class IFcVersionInfoFollower {
public:
    virtual ~IFcVersionInfoFollower() = default;
    virtual void UpdateCaption() = 0;
};
class TFcVersionInfo : public QObject {
    Q_OBJECT
public:
    explicit TFcVersionInfo(QObject* owner = nullptr);
    ~TFcVersionInfo() override;
    // Empty means the program's own file.
    QString FilePath() const { return filePath_; }
    void SetFilePath(const QString& path);
    bool HasVersionInfo() const { return hasInfo_; }
    QString GetField(int index) const;
    QString GetVerField(TFcVersionInfoField field) const { return GetField(field); }
    void AddStatus(IFcVersionInfoFollower* pane);
    void RemoveStatus(IFcVersionInfoFollower* pane);
    int FollowerCount() const { return static_cast<int>(followers_.size()); }
    void UpdateStatusControls();
    void GetVersionInfo();
signals:
    void destroying(TFcVersionInfo* info);
private:
    QString filePath_;
    QStringList values_;
    bool hasInfo_ = false;
    std::vector<IFcVersionInfoFollower*> followers_;
};
// The build's table for our own executable, in field order.
QStringList BuiltInVersionValues();
}  // namespace tw::controls
