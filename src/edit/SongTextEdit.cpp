#include "edit/SongTextEdit.h"

#include <array>

#include "base/Errors.h"
#include "document/SongText.h"

namespace fretlo {

namespace {

struct TFieldRule {
    TSongTextField Field;
    std::string TSongTexts::* Text;
    size_t Limit;
    const char* Name;  // as the refusal names it
};

// %s the text's name, %zu the bytes it needs, %zu its limit.
constexpr const char* TooLong =
    "The %s is too long for the song file: it needs %zu bytes and at most %zu fit. "
    "Letters with accents and other characters beyond plain English take two to four bytes each.";

constexpr std::array<TFieldRule, 5> Fields = {{
    {TSongTextField::Title, &TSongTexts::Title, MaxSongTextBytes, "title"},
    {TSongTextField::Artist, &TSongTexts::Artist, MaxSongTextBytes, "artist"},
    {TSongTextField::Album, &TSongTexts::Album, MaxSongTextBytes, "album"},
    {TSongTextField::Transcriber, &TSongTexts::Transcriber, MaxSongTextBytes, "transcriber"},
    {TSongTextField::Comments, &TSongTexts::Comments, MaxCommentsBytes, "comments text"},
}};

// CR LF and a lone CR end a line as LF does.
std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            out += lineEnd;
        else
            out += c;
    }
    return out;
}

// The line end a stored comment uses: LF only when it has line feeds and no carriage return.
std::string_view LineEndOf(std::string_view stored) {
    const bool lineFeeds = stored.find('\n') != std::string_view::npos;
    return lineFeeds && stored.find('\r') == std::string_view::npos ? "\n" : "\r\n";
}

std::string Shown(const TFieldRule& rule, const TSongTexts& stored) {
    std::string text = SongTextUtf8(stored.*rule.Text);
    return rule.Field == TSongTextField::Comments ? WithLineFeeds(text) : text;
}

bool Edited(const TFieldRule& rule, const TSongTexts& stored, const TSongTexts& shown) {
    return shown.*rule.Text != Shown(rule, stored);
}

std::string Stored(const TFieldRule& rule, const TSongTexts& stored, const TSongTexts& shown) {
    if (!Edited(rule, stored, shown)) return stored.*rule.Text;
    const std::string& text = shown.*rule.Text;
    return rule.Field == TSongTextField::Comments ? WithLineEnds(text, LineEndOf(stored.*rule.Text)) : text;
}

}  // namespace

TSongTexts ShownSongTexts(const TSongTexts& stored) {
    TSongTexts shown;
    for (const TFieldRule& rule : Fields) shown.*rule.Text = Shown(rule, stored);
    return shown;
}

TSongTexts StoredSongTexts(const TSongTexts& stored, const TSongTexts& shown) {
    TSongTexts out;
    for (const TFieldRule& rule : Fields) out.*rule.Text = Stored(rule, stored, shown);
    return out;
}

std::optional<TSongTextRefusal> CheckSongTexts(const TSongTexts& stored, const TSongTexts& shown) {
    for (const TFieldRule& rule : Fields) {
        if (!Edited(rule, stored, shown)) continue;
        const size_t bytes = Stored(rule, stored, shown).size();
        if (bytes > rule.Limit) return TSongTextRefusal{rule.Field, Format(TooLong, rule.Name, bytes, rule.Limit)};
    }
    return std::nullopt;
}

}  // namespace fretlo
