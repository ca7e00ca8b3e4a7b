#include "sheetfixture.h"

SheetFixture::SheetFixture()
{
    m_path = m_dir.filePath(u"Ruviro.mdb"_qs);
    m_valid = m_dir.isValid() && letterfixtures::createDataFile(m_path, &m_error);
}

bool SheetFixture::add(qint32 number, const letterfixtures::Fields& fields)
{
    return letterfixtures::writeLetter(m_path, number, fields, &m_error);
}

sheetdata::SheetFillResult SheetFixture::fill(sheetdata::SheetModel& model,
                                              const QString& number) const
{
    return sheetdata::SetFormData(model, m_path, number);
}
