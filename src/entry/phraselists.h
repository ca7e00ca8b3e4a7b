#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The phrase lists of the data file (table コンボ情報): one row per item, list code 1 to 22,
// a list being the items of its code in table order. Storage only: every failure comes back
// with a sentence for the user, and nothing is shown here.
namespace entry {

inline constexpr int kPhraseListCount = 22;

// An item of no value reads as "". A row whose code is not 1 to 22 belongs to no list.
struct PhraseListsResult
{
    bool ok = false;
    QString error;
    std::array<QStringList, kPhraseListCount + 1> items; // by code; [0] stays empty
};

// Every list of the data file at `path`, in one pass over the table, read-only.
PhraseListsResult readPhraseLists(const QString& path);

struct PhraseListResult
{
    bool ok = false;
    QString error;
    QStringList items;
};

// The items of list `code`, in table order.
PhraseListResult readPhraseList(const QString& path, int code);

// Replaces list `code` by `items` in one transaction: its rows are deleted and one row per
// item is added at the end of the table, in order. On any failure nothing changes. The
// rows of every other code keep their places.
bool replacePhraseList(const QString& path, int code, const QStringList& items,
                       QString* error = nullptr);

// The items of an edited text, one per line (lines end in CR LF). Lines are kept as they
// stand, blank ones included; the text after the last line end counts only when it is not
// empty. A lone CR or LF stays inside its item.
QStringList phraseItemsOfText(const QString& text);

// The items of a list after its text was edited. `items` are the list's items and `shown`
// what the editor showed of each (the text box shows some characters otherwise: a lone CR or
// LF and a line or paragraph separator as a line end, a no-break space as a space), so that
// `shown` joined by CR LF is the text the editor opened with. The lines of `text` are taken
// as phraseItemsOfText() takes them, except that where the lines that showed an item stand
// unchanged, that item is kept as it was.
QStringList phraseItemsOfEdit(const QStringList& items, const QStringList& shown,
                              const QString& text);

} // namespace entry
