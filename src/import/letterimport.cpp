#include "import/letterimport.h"

#include "import/importmapping.h"
#include "import/letterquery.h"
#include "import/letterwriter.h"
#include "platform/database.h"
#include "platform/jetfile.h"
#include "record/letterstore.h"

namespace import {

namespace {

// A list of the other program, read whole: the values of its columns, row by row.
std::optional<platform::JetTable> readList(const platform::JetFile& source, const QString& table,
                                           const QStringList& columns, QString* error)
{
    std::optional<platform::JetTable> list = source.readTable(table, error);
    if (!list)
        return std::nullopt;
    for (const QString& column : columns) {
        if (list->column(column) < 0) {
            if (error)
                *error = QStringLiteral("表「%1」に列「%2」がありません。").arg(table, column);
            return std::nullopt;
        }
    }
    return list;
}

ImportResult failed(const QString& error)
{
    ImportResult result;
    result.error = error;
    return result;
}

} // namespace

ImportResult importLetters(const QString& sourcePath, const QString& dataPath)
{
    // Everything is read from the source before the data file is touched.
    QString error;
    const std::unique_ptr<platform::JetFile> source = platform::JetFile::open(sourcePath, &error);
    if (!source)
        return failed(error);
    const std::optional<LetterQuery> letters = LetterQuery::run(*source, &error);
    if (!letters)
        return failed(error);
    const auto phrases = readList(*source, PhraseTable, {PhraseCategory, PhraseColumn}, &error);
    if (!phrases)
        return failed(error);
    const auto doctors = readList(*source, DoctorTable, {DoctorColumn}, &error);
    if (!doctors)
        return failed(error);

    // The letters as they will be stored, checked before the data file is touched.
    QList<record::Letter> imported;
    imported.reserve(letters->size());
    for (int i = 0; i < letters->size(); ++i) {
        const LetterValues values =
            mapLetter([&](const QString& column) { return letters->value(i, column); });
        std::optional<record::Letter> letter = letterOf(values, &error);
        if (!letter)
            return failed(error);
        imported.append(std::move(*letter));
    }

    // Letters, phrases and doctors in one transaction of the letter store.
    ImportResult result;
    const auto writeLists = [&](db::Database& data, QString* why) {
        ListItemWriter writer(data);
        const int category = phrases->column(PhraseCategory);
        const int phrase = phrases->column(PhraseColumn);
        for (const auto& row : phrases->rows) {
            const std::optional<int> list = phraseListCode(row.at(category));
            if (!list)
                continue;
            if (!writer.addListItem(*list, phraseText(row.at(category), row.at(phrase)), why))
                return false;
            ++result.phrases;
        }
        const int doctor = doctors->column(DoctorColumn);
        for (const auto& row : doctors->rows) {
            if (!writer.addListItem(DoctorListCode, row.at(doctor), why))
                return false;
            ++result.doctors;
        }
        return true;
    };
    const record::LetterStore store(dataPath);
    const record::LettersAddResult added = store.add(imported, writeLists);
    if (!added.ok)
        return failed(added.error);
    result.letters = int(added.letterNos.size());
    if (!added.letterNos.isEmpty()) {
        result.nextLetterNo = added.letterNos.last() + 1;
    } else {
        const std::optional<qint32> highest = store.highestLetterNo(&error);
        if (!highest)
            return failed(error);
        result.nextLetterNo = *highest + 1;
    }
    result.ok = true;
    return result;
}

} // namespace import
