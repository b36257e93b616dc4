#include "core/store/CsvRowReader.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CsvRowReader)
};

} // namespace

bool CsvRow::isBlank() const
{
    for (const QByteArray& field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

CsvRowReader::CsvRowReader(QIODevice& device, char separator, QByteArray start)
    : m_device(device), m_separator(separator), m_buffer(std::move(start))
{}

int CsvRowReader::peek()
{
    if (m_at == m_buffer.size()) {
        if (m_ended)
            return -1;
        // Files and standard input block until there is more or the end.
        m_buffer.resize(ChunkBytes);
        const qint64 got = m_device.read(m_buffer.data(), ChunkBytes);
        m_buffer.resize(qMax<qint64>(got, 0));
        m_at = 0;
        if (got < 0)
            m_read = Status::failure(m_device.errorString());
        if (got <= 0) {
            m_ended = true;
            return -1;
        }
    }
    return static_cast<unsigned char>(m_buffer[m_at]);
}

int CsvRowReader::take()
{
    const int c = peek();
    if (c >= 0)
        ++m_at;
    return c;
}

Result<bool> CsvRowReader::next(CsvRow& row)
{
    if (peek() < 0) {
        if (!m_read)
            return m_read;
        return false;
    }
    row = CsvRow{m_line, {}, 0};
    enum class State { FieldStart, Plain, Quoted, AfterQuote } state = State::FieldStart;
    qint64 quoteLine = m_line;
    QByteArray field;
    const auto add = [&field](char c) {
        if (field.size() <= MaxFieldBytes) // one more marks the field as cut
            field += c;
    };
    const auto endField = [&] {
        if (row.fields.size() < MaxFields)
            row.fields << field;
        ++row.fieldCount;
        field.clear();
        state = State::FieldStart;
    };
    for (;;) {
        const int c = take();
        if (c < 0) {
            if (state == State::Quoted)
                row.quoting = Status::failure(
                    Texts::tr("the quote opened on line %1 is never closed").arg(quoteLine));
            endField();
            return true;
        }
        if (state == State::Quoted) {
            if (c == '"' && peek() == '"') {
                take();
                add('"');
            } else if (c == '"') {
                state = State::AfterQuote;
            } else {
                if (c == '\n')
                    ++m_line;
                add(char(c));
            }
        } else if (c == m_separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && peek() == '\n')
                take();
            ++m_line;
            endField();
            return true;
        } else if (state == State::AfterQuote) {
            if (c != ' ' && c != '\t' && row.quoting)
                row.quoting = Status::failure(Texts::tr("text follows a closing quote (a quote "
                                                        "inside a quoted field is written twice)"));
        } else if (state == State::FieldStart && c == '"') {
            state = State::Quoted;
            quoteLine = m_line;
        } else {
            state = State::Plain;
            add(char(c));
        }
    }
}

} // namespace wareloom
