// TBarLengthFields: the "every N beats and a fraction" pair that the bar-line dialog and Add
// Bars share: a beats box (1 to 16) and a fraction list ("-", "1/4", "1/2", "3/4"), on one row
// of the dialog's grid with the word "beats" after them.
#pragma once

#include <optional>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace fretlo {

class TBarLengthFields {
public:
    explicit TBarLengthFields(QWidget* dialog);

    // Puts the box, the list and "beats" in columns 1 to 3 of `row`; column 4 takes the slack.
    void AddTo(QGridLayout& grid, int row) const;
    void SetEnabled(bool enabled) const;
    QLineEdit* Beats() const { return beats_; }

    // The bar length in spaces; nothing after the refusal was shown with the box focused.
    std::optional<int> BarSpaces() const;

private:
    QWidget* dialog_;
    QLineEdit* beats_;
    QComboBox* fraction_;
};

}  // namespace fretlo
