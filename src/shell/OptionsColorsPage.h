// The "Colors" page of the Options dialog: a colour button per role of the view, the colour
// schemes (built-in and saved under "ColorSchemes") and the colour preview.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "view/TabViewColors.h"

class QComboBox;
class QPushButton;

namespace fretlo {

class TColorButton;
class TOptionsTarget;

class TOptionsColorsPage : public QWidget {
    Q_OBJECT
public:
    // `colors`: what the view shows now; `scheme`: the CurrentScheme setting.
    TOptionsColorsPage(QWidget* parent, TOptionsTarget& target, const QString& configFile,
                       const TTabColorTable& colors, const std::string& scheme);

    const TTabColorTable& Colors() const { return colors_; }
    const std::string& SchemeName() const { return scheme_; }

    TColorButton& Button(TTabViewColors role) const { return *buttons_[role]; }
    QComboBox& SchemeList() const { return *schemes_; }
    QPushButton& PreviewButton() const { return *preview_; }

    // The scheme at a list index becomes the working colours and name.
    void ChooseScheme(int index);
    // Saves the working colours as a scheme: false (after a message) when the name is refused.
    bool SaveScheme(const QString& answer);
    // Deletes the selected scheme after asking; a built-in one is refused with a message.
    void DeleteClick();
    // Shows the working colours in the view; the view's own colours come back with UndoPreview.
    void PreviewClick();
    void UndoPreview();

private:
    void SaveAsClick();
    void ButtonPicked();
    void FillSchemes();
    void SelectScheme();
    void ShowColors();

    TOptionsTarget& target_;
    const QString configFile_;
    const TTabColorTable viewColors_;
    TTabColorTable colors_;
    std::string scheme_;
    bool previewed_ = false;
    std::array<TColorButton*, TabViewColorCount> buttons_{};
    QComboBox* schemes_;
    QPushButton* delete_;
    QPushButton* preview_;
};

}  // namespace fretlo
