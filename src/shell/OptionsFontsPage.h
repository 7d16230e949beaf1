// The "Fonts" page of the Options dialog: the view's two fonts and the three print fonts, each
// a family from the installed fonts and a height of 8 to 50, with preview and restore defaults.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

#include "shell/Settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace fretlo {

class TOptionsTarget;

class TOptionsFontsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = 5;

    // `fonts`: the main window's font record now.
    TOptionsFontsPage(QWidget* parent, TOptionsTarget& target, const TTabFontSettings& fonts);

    // Whether the user changed a row or restored the defaults.
    bool Changed() const { return changed_; }
    // Validates the five rows into the working fonts; false (after a message, with the focus on
    // the field) when one is wrong.
    bool Collect();
    const TTabFontSettings& Fonts() const { return fonts_; }

    QComboBox& NameBox(int row) const { return *rows_[row].Name; }
    QLineEdit& HeightEdit(int row) const { return *rows_[row].Height; }
    QPushButton& PreviewButton() const { return *preview_; }
    QPushButton& RestoreButton() const { return *restore_; }

    void PreviewClick();
    void RestoreDefaultsClick();
    // Gives the main window its own fonts back after a preview.
    void UndoPreview();

private:
    struct TRow {
        QComboBox* Name;
        QLineEdit* Height;
    };

    void ShowFonts(const TTabFontSettings& fonts);
    void MarkChanged();

    TOptionsTarget& target_;
    const TTabFontSettings original_;
    TTabFontSettings fonts_;
    QStringList families_;
    bool changed_ = false;
    bool showing_ = false;
    bool previewed_ = false;
    std::array<TRow, RowCount> rows_{};
    QPushButton* preview_;
    QPushButton* restore_;
};

}  // namespace fretlo
