// TTitleForm: the "Title & Comments" dialog editing the song's five texts.
#pragma once

#include <QDialog>
#include <string>

#include "edit/SongTextEdit.h"
#include "shell/DialogButtons.h"

class QLineEdit;
class QPlainTextEdit;

namespace fretlo {

inline constexpr int MaxSongTextLength = 255;
inline constexpr int MaxCommentsLength = 32767;

class TTitleForm : public QDialog {
    Q_OBJECT
public:
    // `texts` as the song holds them (SongTextEdit.h).
    TTitleForm(QWidget* parent, const TSongTexts& texts, const THelpRequest& help);
    // The texts to store: those not edited with their old bytes.
    TSongTexts Texts() const;

private:
    void LimitComments();
    void TryAccept();
    TSongTexts Shown() const;
    QWidget* Field(TSongTextField field) const;

    TSongTexts stored_;
    QLineEdit* title_;
    QLineEdit* artist_;
    QLineEdit* album_;
    QLineEdit* transcriber_;
    QPlainTextEdit* comments_;
};

}  // namespace fretlo
