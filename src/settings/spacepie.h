#pragma once
// The free-space pie of the Utilities tab and the setup dialog: 33 x 33, the used space red,
// then the free space blue, clockwise from twelve o'clock.

#include <QWidget>

#include <cstdint>

namespace tw::settings {

class TSpacePie : public QWidget {
public:
    explicit TSpacePie(QWidget* parent = nullptr);
    void SetSpace(std::uint64_t usedBytes, std::uint64_t freeBytes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint64_t used_ = 0;
    std::uint64_t free_ = 0;
};

}  // namespace tw::settings
