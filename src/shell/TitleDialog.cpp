#include "shell/TitleDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/HelpContexts.h"

namespace fretlo {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// The character limit stops typing early; it never cuts a longer text an older file holds.
QLineEdit* TextField(QWidget* parent, const std::string& shown) {
    auto* edit = new QLineEdit(parent);
    const QString text = FromUtf8(shown);
    edit->setMaxLength(std::max(MaxSongTextLength, static_cast<int>(text.size())));
    edit->setText(text);
    return edit;
}

// The text with its line ends as "\n" and every other character as typed: toPlainText()
// would turn no-break spaces into spaces, and so change a text nobody edited.
QString PlainText(const QPlainTextEdit& edit) {
    QString text = edit.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return text;
}

}  // namespace

TTitleForm::TTitleForm(QWidget* parent, const TSongTexts& texts, const THelpRequest& help)
    : QDialog(parent), stored_(texts) {
    const TSongTexts shown = ShownSongTexts(texts);
    title_ = TextField(this, shown.Title);
    artist_ = TextField(this, shown.Artist);
    album_ = TextField(this, shown.Album);
    transcriber_ = TextField(this, shown.Transcriber);
    comments_ = new QPlainTextEdit(FromUtf8(shown.Comments), this);
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
    box->addWidget(MakeDialogButtons(*this, help, hcTitle, [this] { TryAccept(); }));
    resize(460, 380);
}

// A multi-line edit has no length limit of its own: a paste that goes beyond it is cut.
void TTitleForm::LimitComments() {
    if (comments_->document()->characterCount() - 1 <= MaxCommentsLength) return;
    QString text = PlainText(*comments_);
    text.truncate(MaxCommentsLength);
    const QSignalBlocker block(comments_);
    comments_->setPlainText(text);
    comments_->moveCursor(QTextCursor::End);
}

// A text the song file could not hold is refused here: accepted, it would fail every save.
void TTitleForm::TryAccept() {
    if (const auto refusal = CheckSongTexts(stored_, Shown())) {
        RefuseField(this, QString::fromStdString(refusal->Message), Field(refusal->Field));
        return;
    }
    accept();
}

TSongTexts TTitleForm::Shown() const {
    return {ToUtf8(title_->text()), ToUtf8(artist_->text()), ToUtf8(album_->text()), ToUtf8(transcriber_->text()),
            ToUtf8(PlainText(*comments_))};
}

QWidget* TTitleForm::Field(TSongTextField field) const {
    switch (field) {
        case TSongTextField::Title: return title_;
        case TSongTextField::Artist: return artist_;
        case TSongTextField::Album: return album_;
        case TSongTextField::Transcriber: return transcriber_;
        case TSongTextField::Comments: return comments_;
    }
    return title_;
}

TSongTexts TTitleForm::Texts() const { return StoredSongTexts(stored_, Shown()); }

}  // namespace fretlo
