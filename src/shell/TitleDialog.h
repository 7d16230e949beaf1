// TTitleForm: the "Title & Comments" dialog editing the song's five texts.
#pragma once

#include <QDialog>
#include <string>

#include "edit/SongEdit.h"
#include "shell/DialogButtons.h"

class QLineEdit;
class QPlainTextEdit;

namespace fretlo {

inline constexpr int MaxSongTextLength = 255;
inline constexpr int MaxCommentsLength = 32767;

class TTitleForm : public QDialog {
    Q_OBJECT
public:
    TTitleForm(QWidget* parent, const TSongTexts& texts, const THelpRequest& help);
    TSongTexts Texts() const;

private:
    void LimitComments();

    QLineEdit* title_;
    QLineEdit* artist_;
    QLineEdit* album_;
    QLineEdit* transcriber_;
    QPlainTextEdit* comments_;
};

}  // namespace fretlo
