#pragma once

#include "letterfixtures.h"
#include "sheetdata/setformdata.h"

#include <QTemporaryDir>

// A temporary data file with letters in it, and the sheet filled from one of them.
class SheetFixture
{
public:
    SheetFixture();
    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }
    QString error() const { return m_error; }

    // Adds a letter; false (and error()) when it could not be written.
    bool add(qint32 number, const letterfixtures::Fields& fields);
    // Fills `model` from letter `number` of the file.
    sheetdata::SheetFillResult fill(sheetdata::SheetModel& model, const QString& number) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_error;
    bool m_valid = false;
};
