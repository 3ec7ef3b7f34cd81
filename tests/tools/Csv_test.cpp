#include "tools/CsvReader.h"
#include "tools/CsvWriter.h"
#include "tools/FolderErrors.h"
#include "tools/PhoneNumberText.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A record written compactly: fields as texts, a leading '"' marking a quoted field.
struct ExpectedRecord {
    qint64 line;
    std::vector<std::string> fields;
};

// A field in the compact form: a leading '"' when quoted.
std::string Compact(bool quoted, const QByteArray& bytes) {
    std::string text;
    if (quoted) {
        text.push_back('"');
    }
    text.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return text;
}

std::vector<ExpectedRecord> ReadAll(CsvReader& reader) {
    std::vector<ExpectedRecord> records;
    CsvRecord record;
    while (reader.next(record)) {
        ExpectedRecord compact{record.line, {}};
        for (const CsvField& field : record.fields) {
            compact.fields.push_back(Compact(field.quoted, field.bytes));
        }
        records.push_back(compact);
    }
    return records;
}

bool operator==(const ExpectedRecord& a, const ExpectedRecord& b) {
    return a.line == b.line && a.fields == b.fields;
}

void PrintTo(const ExpectedRecord& record, std::ostream* stream) {
    *stream << "line " << record.line << ": " << ::testing::PrintToString(record.fields);
}

// Reads the text from a device in pieces of pieceSize bytes.
std::vector<ExpectedRecord> ReadPieces(QByteArrayView text, qint64 pieceSize) {
    QByteArray copy = text.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, pieceSize);
    return ReadAll(reader);
}

// Piece sizes that put a piece boundary everywhere in a short text.
constexpr qint64 kPieceSizes[] = {1, 2, 7, 1 << 16};

// Reads a text held in memory; the same text read from a device in pieces must read alike.
std::vector<ExpectedRecord> ReadAll(QByteArrayView text) {
    CsvReader memory(text);
    const std::vector<ExpectedRecord> records = ReadAll(memory);
    for (const qint64 pieceSize : kPieceSizes) {
        EXPECT_EQ(ReadPieces(text, pieceSize), records) << "pieces of " << pieceSize;
    }
    return records;
}

TEST(CsvReaderTest, ReadsRecordsFieldsAndLineNumbers) {
    struct Case {
        const char* label;
        QByteArray text;
        std::vector<ExpectedRecord> records;
    };
    const Case cases[] = {
        {"empty text", "", {}},
        {"CR LF", "a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"LF", "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"no line break at the end", "a,b\r\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"empty fields", ",\r\n,,x\r\n", {{1, {"", ""}}, {2, {"", "", "x"}}}},
        {"empty line", "a\r\n\r\nb\r\n", {{1, {"a"}}, {2, {""}}, {3, {"b"}}}},
        {"trailing comma at the end", "a,", {{1, {"a", ""}}}},
        {"quoted empty field", "\"\",x", {{1, {"\"", "x"}}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"", {{1, {"\"say \"hi\"", "\"\""}}}},
        {"comma and line breaks inside quotes",
         "\"a,b\r\nc\nd\",e\r\nf\r\n",
         {{1, {"\"a,b\r\nc\nd", "e"}}, {4, {"f"}}}},
        {"spaces are data", " a , b ", {{1, {" a ", " b "}}}},
        {"UTF-8 passes through", "\xD0\x81,\"\xD1\x91\"", {{1, {"\xD0\x81", "\"\xD1\x91"}}}},
        {"trailing comma and no line break", "a,b,", {{1, {"a", "b", ""}}}},
        {"quoted field at the very end", "a,\"b\"", {{1, {"a", "\"b"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadAll(c.text), c.records);
    }
}

TEST(CsvReaderTest, NeverReadsPastTheEndOfItsText) {
    // The text is the start of a longer buffer; what follows it must never be looked at.
    const QByteArray buffer("a,b,\"x\"\r\n");
    EXPECT_EQ(ReadAll(QByteArrayView(buffer).first(4)),
              (std::vector<ExpectedRecord>{{1, {"a", "b", ""}}}));
    EXPECT_EQ(ReadAll(QByteArrayView(buffer).first(7)),
              (std::vector<ExpectedRecord>{{1, {"a", "b", "\"x"}}}));
}

TEST(CsvReaderTest, MalformedTextNamesItsLine) {
    struct Case {
        QByteArray text;
        qint64 line;
        const char* reason;
    };
    const Case cases[] = {
        {"a,b\r\nc\"d,e\r\n", 2, "a quote inside an unquoted field"},
        {"a\r\n\"open,b\r\nc\r\n", 2, "a quoted field is not closed"},
        {"\"x\r\ny\"z,1\r\n", 2, "text after the closing quote of a field"},
        {"a,b\rc,d\r\n", 1, "a carriage return without a line feed"},
        {"a,b\r", 1, "a carriage return without a line feed"},
        {"a,\"b", 1, "a quoted field is not closed"},
        {"\"a\r\n\r\nb\"\r\n\"c\" d\r\n", 4, "text after the closing quote of a field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const auto readers = {qint64(0), qint64(1), qint64(2), qint64(7)}; // 0: in memory
        for (const qint64 pieceSize : readers) {
            try {
                if (pieceSize == 0) {
                    CsvReader reader(c.text);
                    ReadAll(reader);
                } else {
                    ReadPieces(c.text, pieceSize);
                }
                ADD_FAILURE() << "read without an error, pieces of " << pieceSize;
            } catch (const ECsvFormatError& error) {
                EXPECT_EQ(error.line(), c.line) << "pieces of " << pieceSize;
                EXPECT_EQ(error.reason(), QString::fromUtf8(c.reason));
            }
        }
    }
}

TEST(CsvWriterTest, QuotesOnlyWhatNeedsIt) {
    struct Case {
        QByteArray field;
        bool quoted;
        QByteArray written;
    };
    const Case cases[] = {
        {"plain", false, "plain"},
        {"", false, ""},
        {"", true, "\"\""},
        {"a,b", false, "\"a,b\""},
        {"say \"hi\"", false, "\"say \"\"hi\"\"\""},
        {"two\r\nlines", false, "\"two\r\nlines\""},
        {"lf\nonly", false, "\"lf\nonly\""},
        {" spaced ", false, " spaced "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CsvWriter writer(buffer);
        writer.addField(c.field, c.quoted);
        writer.addField("x");
        writer.endRecord();
        writer.flush();
        EXPECT_EQ(buffer.data(), c.written + ",x\r\n");
        // What is written reads back as the same field.
        const std::vector<ExpectedRecord> back = ReadAll(buffer.data());
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0].fields[0], Compact(c.written.startsWith('"'), c.field));
    }
}

TEST(CsvWriterTest, AWriteTheDeviceRefusesIsAnError) {
    QBuffer readOnly; // a device open for reading only refuses every write
    readOnly.open(QIODevice::ReadOnly);
    CsvWriter writer(readOnly);
    writer.addField("x");
    writer.endRecord();
    EXPECT_THROW(writer.flush(), Exception);

    // Large output reaches the device whole, in pieces.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CsvWriter big(buffer);
    const QByteArray field(1000, 'a');
    for (int i = 0; i < 300; ++i) {
        big.addField(field);
        big.endRecord();
    }
    big.flush();
    EXPECT_EQ(buffer.data(), (field + "\r\n").repeated(300));
}

TEST(PhoneNumberTextTest, WritesPlainShortestText) {
    struct Case {
        double number;
        const char* text;
    };
    const Case cases[] = {
        {23456, "23456"},
        {1234567, "1234567"},
        {0, "0"},
        {-5, "-5"},
        {0.1, "0.1"},
        {123.25, "123.25"},
        {1e22, "10000000000000000000000"},
        {1e-7, "0.0000001"},
        {0.1 + 0.2, "0.30000000000000004"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PhoneNumberText(c.number), QByteArray(c.text)) << c.text;
    }
}

TEST(PhoneNumberTextTest, TextReadsBackAsTheSameNumber) {
    const double numbers[] = {1.0 / 3,
                              2.0 / 3,
                              1e300,
                              5e-324,
                              123456.789,
                              -0.5,
                              std::numeric_limits<double>::max(),
                              std::nextafter(23456.0, 0.0)};
    for (double number : numbers) {
        const std::optional<double> back = PhoneNumberFromText(PhoneNumberText(number));
        ASSERT_TRUE(back.has_value()) << number;
        EXPECT_EQ(*back, number);
    }
}

TEST(PhoneNumberTextTest, ReadsNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<double> number;
    };
    // The same texts the program's phone field accepts when typed.
    const Case cases[] = {
        {"23456", 23456},
        {"23456.0", 23456},
        {"-1.5", -1.5},
        {"2.5e3", 2500},
        {"", std::nullopt},
        {" 1", 1},
        {"1 ", 1},
        {"+1", 1},
        {"12,5", std::nullopt},
        {"2-34-56", std::nullopt},
        {"abc", std::nullopt},
        {"nan", std::nullopt},
        {"NaN", std::nullopt},
        {"inf", std::nullopt},
        {"-inf", std::nullopt},
        {"infinity", std::nullopt},
        {"1e999", std::nullopt},
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"0x10", std::nullopt},
        {"1e308", 1e308},
        {"99999999999999999999", 1e20},
        {"1\t", std::nullopt},
        {"\xC2\xA0"
         "1",
         std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PhoneNumberFromText(c.text), c.number) << c.text;
    }
}

} // namespace
