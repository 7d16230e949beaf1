// A push button showing a colour as a swatch; clicking it opens the colour chooser.
#pragma once

#include <QPushButton>

#include "view/TabViewColors.h"

namespace fretlo {

class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    TColorRef Color() const { return color_; }
    // Shows a colour without counting as the user's choice.
    void SetColor(TColorRef color);
    // The user's choice of a colour: shown, then reported by Picked.
    void Pick(TColorRef color);

signals:
    void Picked();

private:
    void Choose();

    TColorRef color_ = 0;
};

}  // namespace fretlo
