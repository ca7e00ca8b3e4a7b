// glib before mdbtools: the header uses glib's types without including it in C++.
#include <glib.h>

#include <mdbtools.h>

#include "platform/jetfile.h"

#include <QFile>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr int Jet3PageSize = 2048;
constexpr int Jet4PageSize = 4096;
constexpr int RowOffsetMask = 0x1fff;
// Page 0 (the header) and page 1 at least, then the catalog's table definition on page 2.
constexpr int MinimumPages = 3;

void fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString folded(const QString& name)
{
    return name.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

// A text libmdb gave (UTF-8, allocated with glib), freed here.
QString takeText(char* text)
{
    if (!text)
        return QString();
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

} // namespace

int JetTable::column(const QString& name) const
{
    const QString wanted = folded(name);
    for (int i = 0; i < columns.size(); ++i) {
        if (folded(columns.at(i)) == wanted)
            return i;
    }
    return -1;
}

struct JetFile::Handle
{
    MdbHandle* mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

JetFile::JetFile(QByteArray bytes, std::unique_ptr<Handle> handle)
    : m_bytes(std::move(bytes)), m_handle(std::move(handle))
{
}

JetFile::~JetFile()
{
    m_handle.reset(); // closes libmdb before the buffer it reads goes
}

bool JetFile::checkHeader(const QByteArray& bytes, QString* error)
{
    const QString notJet = QStringLiteral("Jet データベース（.mdb）のファイルではありません。");
    static const char magic[] = "\x00\x01\x00\x00Standard Jet DB";
    const qsizetype magicLength = sizeof(magic) - 1;
    if (bytes.size() < 0x20 || std::memcmp(bytes.constData(), magic, magicLength) != 0) {
        fail(error, notJet);
        return false;
    }
    const unsigned char version = static_cast<unsigned char>(bytes.at(0x14));
    int pageSize = 0;
    if (version == MDB_VER_JET3)
        pageSize = Jet3PageSize;
    else if (version == MDB_VER_JET4)
        pageSize = Jet4PageSize;
    else {
        fail(error,
             QStringLiteral("このファイルの形式（Jet バージョン %1）は読めません。").arg(version));
        return false;
    }
    if (bytes.size() % pageSize != 0 || bytes.size() < qsizetype(MinimumPages) * pageSize) {
        fail(error, QStringLiteral("データベースのファイルが途中で切れています。"));
        return false;
    }
    return true;
}

std::unique_ptr<JetFile> JetFile::open(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("ファイル %1 を読めません。").arg(path));
        return nullptr;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(error, QStringLiteral("ファイル %1 を読めません。").arg(path));
        return nullptr;
    }
    return fromBytes(std::move(bytes), error);
}

std::unique_ptr<JetFile> JetFile::fromBytes(QByteArray bytes, QString* error)
{
    if (!checkHeader(bytes, error))
        return nullptr;
    // Jet 3 keeps its text in the code page of the machine that wrote it: Japanese here.
    // libmdb reads the setting when a file is opened.
    setenv("MDB_JET3_CHARSET", "CP932", 1);
    std::unique_ptr<JetFile> file(new JetFile(std::move(bytes), std::make_unique<Handle>()));
    file->m_handle->mdb =
        mdb_open_buffer(file->m_bytes.data(), size_t(file->m_bytes.size()), MDB_NOFLAGS);
    if (!file->m_handle->mdb || !mdb_read_catalog(file->m_handle->mdb, MDB_TABLE)) {
        fail(error, QStringLiteral("データベースのファイルを開けません。"
                                   "壊れているか、別の形式のファイルです。"));
        return nullptr;
    }
    return file;
}

QStringList JetFile::tables() const
{
    QStringList names;
    MdbHandle* mdb = m_handle->mdb;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

namespace {

// The value of one cracked field of the row on the current page.
db::Variant fieldValue(MdbHandle* mdb, const MdbColumn& column, const MdbField& field)
{
    const int pageSize = int(mdb->fmt->pg_size);
    // A Yes/No value lives in the row's null mask: "null" is False.
    if (column.col_type == MDB_BOOL)
        return db::Variant::fromBool(!field.is_null);
    if (field.is_null)
        return {};
    const int start = field.start;
    const int size = field.siz;
    if (start < 0 || size < 0 || start + size > pageSize)
        return {};
    auto fits = [&](int bytes) { return size >= bytes; };
    switch (column.col_type) {
    case MDB_BYTE:
        if (fits(1))
            return db::Variant::fromInteger(qint16(mdb->pg_buf[start]));
        return {};
    case MDB_INT:
        if (fits(2))
            return db::Variant::fromInteger(qint16(mdb_get_int16(mdb->pg_buf, start)));
        return {};
    case MDB_LONGINT:
        if (fits(4))
            return db::Variant::fromLong(qint32(mdb_get_int32(mdb->pg_buf, start)));
        return {};
    case MDB_FLOAT:
        if (fits(4))
            return db::Variant::fromSingle(mdb_get_single(mdb->pg_buf, start));
        return {};
    case MDB_DOUBLE:
        if (fits(8))
            return db::Variant::fromDouble(mdb_get_double(mdb->pg_buf, start));
        return {};
    case MDB_TEXT:
    case MDB_MEMO:
        if (size == 0)
            return db::Variant::fromString(QStringLiteral(""));
        return db::Variant::fromString(
            takeText(mdb_col_to_string(mdb, mdb->pg_buf, start, column.col_type, size)));
    case MDB_OLE:
    case MDB_BINARY:
        return {}; // binary data has no place in a letter
    default:
        // Dates, currency, decimals: as libmdb writes them.
        return db::Variant::fromString(
            takeText(mdb_col_to_string(mdb, mdb->pg_buf, start, column.col_type, size)));
    }
}

} // namespace

std::optional<JetTable> JetFile::readTable(const QString& name, QString* error) const
{
    MdbHandle* mdb = m_handle->mdb;
    const QString wanted = folded(name);
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && folded(QString::fromUtf8(e->object_name)) == wanted)
            entry = e;
    }
    if (!entry) {
        fail(error, QStringLiteral("表「%1」がありません。").arg(name));
        return std::nullopt;
    }
    MdbTableDef* table = mdb_read_table(entry);
    if (!table || !mdb_read_columns(table)) {
        if (table)
            mdb_free_tabledef(table);
        fail(error, QStringLiteral("表「%1」を読めません。").arg(name));
        return std::nullopt;
    }
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> owner(table, mdb_free_tabledef);
    // libmdb walks the table's data pages through its usage map without looking at the map
    // first: a damaged table whose map is empty is refused here.
    if (!table->usage_map || table->map_sz < 1 || (table->usage_map[0] == 0 && table->map_sz < 5)) {
        fail(error, QStringLiteral("表「%1」が壊れています。").arg(name));
        return std::nullopt;
    }

    JetTable result;
    result.name = QString::fromUtf8(entry->object_name);
    const unsigned columnCount = table->num_cols;
    for (unsigned i = 0; i < columnCount; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        result.columns << QString::fromUtf8(column->name);
    }

    std::vector<MdbField> fields(columnCount);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        // mdb_fetch_row has read the row from the current page; crack it again to tell Null
        // from "" and to take each value as stored.
        int start = 0;
        size_t size = 0;
        if (table->cur_row == 0 || mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size) != 0)
            continue;
        start &= RowOffsetMask;
        const int count = mdb_crack_row(table, start, size, fields.data());
        if (count < 0)
            continue;
        QList<db::Variant> row(columnCount);
        for (int f = 0; f < count && f < int(columnCount); ++f) {
            const unsigned index = unsigned(fields[f].colnum);
            if (index >= columnCount)
                continue;
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
            row[index] = fieldValue(mdb, *column, fields[f]);
        }
        result.rows << row;
    }
    return result;
}

} // namespace platform
