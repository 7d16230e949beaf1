#include "shell/TitleDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"

namespace fretlo {

namespace {

QLineEdit* TextField(QWidget* parent, const std::string& text) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(MaxSongTextLength);
    edit->setText(QString::fromStdString(text));
    return edit;
}

}  // namespace

TTitleForm::TTitleForm(QWidget* parent, const TSongTexts& texts, const THelpRequest& help)
    : QDialog(parent), title_(TextField(this, texts.Title)), artist_(TextField(this, texts.Artist)),
      album_(TextField(this, texts.Album)), transcriber_(TextField(this, texts.Transcriber)),
      comments_(new QPlainTextEdit(QString::fromStdString(texts.Comments), this)) {
    setWindowTitle("Title & Comments");
    comments_->setTabChangesFocus(true);
    connect(comments_, &QPlainTextEdit::textChanged, this, &TTitleForm::LimitComments);

    auto* form = new QFormLayout;
    form->addRow("&Title:", title_);
    form->addRow("&Artist:", artist_);
    form->addRow("A&lbum:", album_);
    form->addRow("Transcribed &By:", transcriber_);
    auto* commentsLabel = new QLabel("&Comments:", this);
    commentsLabel->setBuddy(comments_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(commentsLabel);
    box->addWidget(comments_, 1);
    box->addWidget(MakeDialogButtons(*this, help, hcTitle, [this] { accept(); }));
    resize(460, 380);
}

// A multi-line edit has no length limit of its own: a paste that goes beyond it is cut.
void TTitleForm::LimitComments() {
    if (comments_->document()->characterCount() - 1 <= MaxCommentsLength) return;
    QString text = comments_->toPlainText();
    text.truncate(MaxCommentsLength);
    const QSignalBlocker block(comments_);
    comments_->setPlainText(text);
    comments_->moveCursor(QTextCursor::End);
}

TSongTexts TTitleForm::Texts() const {
    return {title_->text().toStdString(), artist_->text().toStdString(), album_->text().toStdString(),
            transcriber_->text().toStdString(), comments_->toPlainText().toStdString()};
}

}  // namespace fretlo
