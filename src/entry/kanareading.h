#pragma once

#include <QString>

class QInputMethodEvent;

namespace entry {

// Whether the text is not empty and every character is kana: hiragana, katakana (the long
// vowel mark ー included) or half-width katakana with its sound marks ﾞ and ﾟ.
bool IsAllKana(const QString& text);

// Kana in full-width hiragana: half-width katakana become full-width first (a ﾞ or ﾟ joins
// the letter before it: ｶﾞ → ガ, ﾊﾟ → パ, ｳﾞ → ヴ), then katakana become hiragana. Katakana
// without a hiragana letter (ヷ, ヸ, ヹ, ヺ), ー, ・ and anything that is no kana are kept.
QString ToHiragana(const QString& kana);

// The reading of what an input method converts in one box. Each converted piece is committed
// by the input method; its reading is the last pre-edit text before the commit that was all
// kana. A pre-edit that is taken back (ends without a commit) leaves no reading.
class ImeReading
{
public:
    // Takes one input-method event of the box, before the box applies it.
    void take(const QInputMethodEvent& event);
    // Whether a commit has come since the last takeCommitted() or forget().
    bool hasCommit() const { return m_committed; }
    // The readings of the pieces committed since the last call, in order; "" when a piece
    // came without a kana pre-edit (typed with the conversion off).
    QString takeCommitted();
    // Drops what was committed and not yet taken (the box changed by a plain key).
    void forget();

private:
    QString m_lastKana;
    QString m_reading;
    bool m_committed = false;
};

} // namespace entry
