#pragma once
// TFcCustomGroupBox: a panel drawn as a captioned group frame in one of four
// styles (standard groove, custom panel frames, a top line only, a flat frame
// with rounded corners), or as the style's group frame when visual styles are
// on and the box is theme-aware. The caption's accelerator moves the focus to
// the first child in tab order.

#include "controls/panels/fcpanel.h"

namespace tw::controls {

class TFcCustomGroupBox : public TFcCustomPanel {
    Q_OBJECT
    // For .ui files (set as dynamic properties): the TFcGroupBoxStyle value.
    Q_PROPERTY(int groupStyle READ GroupStyleValue WRITE SetGroupStyleValue)
public:
    explicit TFcCustomGroupBox(QWidget* parent = nullptr);
    ~TFcCustomGroupBox() override;

    TFcGroupBoxStyle GroupStyle() const { return groupStyle_; }
    virtual void SetGroupBoxStyle(TFcGroupBoxStyle style);
    TRect ClientAreaForChildren() const override;

    // The caption's rectangle (empty without a caption or with gsCustom).
    TRect CaptionRect(TFcCanvas& canvas) const;

    // In a layout the box is never narrower than its caption with the margin
    // on both sides, so the caption is never cut.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // The caption's accelerator: the first child in tab order takes the focus.
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;

protected:
    // The one field inside without a name of its own is named by the caption.
    bool event(QEvent* event) override;
    void TextChanged() override;
    void Paint(TFcCanvas& canvas) override;
    void FontChanged() override;
    QWidget* FirstChildInTabOrder() const;
    void NameLoneField();

private:
    int GroupStyleValue() const { return groupStyle_; }
    void SetGroupStyleValue(int v) { SetGroupBoxStyle(static_cast<TFcGroupBoxStyle>(v)); }

    TFcGroupBoxStyle groupStyle_ = gsFlat;
};

class TFcGroupBox : public TFcCustomGroupBox {
    Q_OBJECT
public:
    explicit TFcGroupBox(QWidget* parent = nullptr) : TFcCustomGroupBox(parent) {}
};

}  // namespace tw::controls
