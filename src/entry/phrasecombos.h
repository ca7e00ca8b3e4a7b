#pragma once

#include <QList>
#include <QString>

// Which combo boxes of the entry form offer which phrase list, and the editor's title of
// each list.
namespace entry {

struct PhraseList
{
    int code;        // 1 to 22
    QString combo;   // the combo box's name
    int firstMember; // members of a control array, first to last; 0 and 0 for a single box
    int lastMember;
    QString caption; // the phrase-list editor's title
};

// The 22 lists in code order.
const QList<PhraseList>& phraseLists();
// The list of a code; nullptr for a code that is not 1 to 22.
const PhraseList* phraseListOfCode(int code);
// The list that the box (name, member index) offers; nullptr for a box of no list.
const PhraseList* phraseListOf(const QString& combo, int index);

// The two closing entries of every phrase combo.
inline const QString kEditEntry = QStringLiteral("編集...");

} // namespace entry
