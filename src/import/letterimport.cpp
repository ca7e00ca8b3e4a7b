#include "import/letterimport.h"

#include "import/importmapping.h"
#include "import/letterquery.h"
#include "import/letterwriter.h"
#include "platform/database.h"
#include "platform/jetfile.h"

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

    const auto data = db::Database::open(dataPath, db::OpenMode::ReadWrite, &error);
    if (!data)
        return failed(error);
    if (!data->beginTrans(&error))
        return failed(error);
    ImportResult result;
    auto abandon = [&] {
        data->rollback();
        return failed(error);
    };
    {
        LetterWriter writer(*data);
        const std::optional<qint32> highest = writer.highestLetterNo(&error);
        if (!highest)
            return abandon();
        qint32 next = *highest + 1;
        for (int i = 0; i < letters->size(); ++i) {
            const LetterValues values =
                mapLetter([&](const QString& column) { return letters->value(i, column); });
            if (!writer.addLetter(next, values, &error))
                return abandon();
            ++next;
            ++result.letters;
        }
        result.nextLetterNo = next;

        const int category = phrases->column(PhraseCategory);
        const int phrase = phrases->column(PhraseColumn);
        for (const auto& row : phrases->rows) {
            const std::optional<int> list = phraseListCode(row.at(category));
            if (!list)
                continue;
            if (!writer.addListItem(*list, phraseText(row.at(category), row.at(phrase)), &error))
                return abandon();
            ++result.phrases;
        }
        const int doctor = doctors->column(DoctorColumn);
        for (const auto& row : doctors->rows) {
            if (!writer.addListItem(DoctorListCode, row.at(doctor), &error))
                return abandon();
            ++result.doctors;
        }
    }
    if (!data->commitTrans(&error))
        return abandon();
    result.ok = true;
    return result;
}

} // namespace import
