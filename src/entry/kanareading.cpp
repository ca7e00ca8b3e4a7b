#include "entry/kanareading.h"

#include <QInputMethodEvent>

namespace entry {

namespace {

bool isHiragana(char16_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

bool isKatakana(char16_t c)
{
    return (c >= 0x30A0 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF);
}

bool isHalfWidthKatakana(char16_t c)
{
    return c >= 0xFF65 && c <= 0xFF9F;
}

// Half-width katakana U+FF65 to U+FF9D in full width.
constexpr char16_t kFullWidth[] = {
    u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー', // FF65–FF70
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', // FF71–FF7A
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', // FF7B–FF84
    u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', // FF85–FF8E
    u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ',               // FF8F–FF96
    u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン'};                     // FF97–FF9D

constexpr char16_t kVoicedMark = 0xFF9E;     // ﾞ
constexpr char16_t kSemiVoicedMark = 0xFF9F; // ﾟ

// The letter with its voiced (゛) or semi-voiced (゜) sound, or 0 when it has none.
char16_t withSoundMark(char16_t letter, bool semi)
{
    if (semi)
        return (letter >= u'ハ' && letter <= u'ホ' && (letter - u'ハ') % 3 == 0) ? letter + 2 : 0;
    if ((letter >= u'カ' && letter <= u'ヂ' && (letter - u'カ') % 2 == 0) ||
        (letter >= u'ツ' && letter <= u'ド' && (letter - u'ツ') % 2 == 0) ||
        (letter >= u'ハ' && letter <= u'ホ' && (letter - u'ハ') % 3 == 0))
        return letter + 1;
    switch (letter) {
    case u'ウ':
        return u'ヴ';
    case u'ワ':
        return u'ヷ';
    case u'ヲ':
        return u'ヺ';
    default:
        return 0;
    }
}

QString toFullWidth(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == kVoicedMark || c == kSemiVoicedMark) {
            const bool semi = c == kSemiVoicedMark;
            const char16_t joined = out.isEmpty() ? 0 : withSoundMark(out.back().unicode(), semi);
            if (joined)
                out.back() = QChar(joined);
            else
                out += QChar(semi ? u'゜' : u'゛');
        } else if (c >= 0xFF65 && c <= 0xFF9D) {
            out += QChar(kFullWidth[c - 0xFF65]);
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

bool IsAllKana(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (!isHiragana(c) && !isKatakana(c) && !isHalfWidthKatakana(c))
            return false;
    }
    return true;
}

QString ToHiragana(const QString& kana)
{
    QString out = toFullWidth(kana);
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        // ァ to ヶ and the iteration marks ヽ ヾ have hiragana letters 0x60 below them.
        if ((c >= u'ァ' && c <= u'ヶ') || c == u'ヽ' || c == u'ヾ')
            ch = QChar(char16_t(c - 0x60));
    }
    return out;
}

void ImeReading::take(const QInputMethodEvent& event)
{
    const QString& commit = event.commitString();
    const QString& preedit = event.preeditString();
    if (!commit.isEmpty()) {
        // A piece committed without a kana pre-edit before it that is itself kana (the
        // input method committed the kana as typed) reads as itself.
        m_reading += m_lastKana.isEmpty() && IsAllKana(commit) ? commit : m_lastKana;
        m_committed = true;
        m_lastKana.clear();
    }
    if (IsAllKana(preedit))
        m_lastKana = preedit;
    else if (preedit.isEmpty() && commit.isEmpty())
        m_lastKana.clear(); // the pre-edit was taken back
}

QString ImeReading::takeCommitted()
{
    QString reading;
    reading.swap(m_reading);
    m_committed = false;
    return reading;
}

void ImeReading::forget()
{
    m_reading.clear();
    m_committed = false;
}

} // namespace entry
