#include "controls/statuspanes/fcversioninfo.h"
#include "controls/statuspanes/fcversionvalues.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
namespace tw::controls {
QStringList BuiltInVersionValues()
{
    QStringList values;
    for (const char* v : build::kVersionValues)
        values << QString::fromUtf8(v);
    return values;
}

TFcVersionInfo::TFcVersionInfo(QObject* owner) : QObject(owner)
{
    GetVersionInfo();
}

TFcVersionInfo::~TFcVersionInfo()
{
    emit destroying(this);
}

void TFcVersionInfo::SetFilePath(const QString& path)
{
    if (path == filePath_)
        return;
    filePath_ = path;
    GetVersionInfo();
    UpdateStatusControls();
}

void TFcVersionInfo::GetVersionInfo()
{
    const QString own = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    const bool ownFile = filePath_.isEmpty() ||
                         (!own.isEmpty() && QFileInfo(filePath_).canonicalFilePath() == QFileInfo(own).canonicalFilePath());
    hasInfo_ = ownFile;
    values_.clear();
    if (ownFile) {
        values_ = BuiltInVersionValues();
    } else {
        const QString none = QCoreApplication::translate("TFcVersionInfo", "Value Not Available");
        for (int i = 0; i < kVersionFieldCount; ++i)
            values_ << none;
    }
}

QString TFcVersionInfo::GetField(int index) const
{
    return index >= 0 && index < values_.size() ? values_[index] : QString();
}

void TFcVersionInfo::AddStatus(IFcVersionInfoFollower* pane)
{
    if (std::find(followers_.begin(), followers_.end(), pane) == followers_.end())
        followers_.push_back(pane);
}

void TFcVersionInfo::RemoveStatus(IFcVersionInfoFollower* pane)
{
    followers_.erase(std::remove(followers_.begin(), followers_.end(), pane), followers_.end());
}

void TFcVersionInfo::UpdateStatusControls()
{
    const auto followers = followers_;
    for (IFcVersionInfoFollower* pane : followers)
        pane->UpdateCaption();
}
}  // namespace tw::controls
