#include "tools/ServerEntryStore.h"

#include "platform/Exceptions.h"
#include "platform/db/PgConnection.h"
#include "tools/PhoneNumberText.h"

#include <QByteArray>

namespace {

// Rows sent to the server at once, and rows read at once.
constexpr int kRowsAtATime = 5000;

// A value in COPY's text format: \N for NULL; backslash, tab and line breaks escaped.
void AppendCopyText(QByteArray& rows, const std::optional<QString>& text) {
    if (!text) {
        rows += "\\N";
        return;
    }
    for (const char byte : text->toUtf8()) {
        switch (byte) {
        case '\\':
            rows += "\\\\";
            break;
        case '\t':
            rows += "\\t";
            break;
        case '\n':
            rows += "\\n";
            break;
        case '\r':
            rows += "\\r";
            break;
        default:
            rows += byte;
        }
    }
}

std::optional<QString> Text(const PgResult& result, int row, int column) {
    if (result.isNull(row, column)) {
        return std::nullopt;
    }
    return result.text(row, column);
}

std::optional<double> Phone(const PgResult& result, int row) {
    if (result.isNull(row, 0)) {
        return std::nullopt;
    }
    bool ok = false;
    const double phone = result.text(row, 0).toDouble(&ok);
    if (!ok) {
        throw Exception(
            QStringLiteral("tel holds \"%1\", which is not a number").arg(result.text(row, 0)));
    }
    return phone;
}

} // namespace

void ServerEntryStore::addAll(const std::function<void(const Add&)>& fill) {
    connection_.copyIn(
        QStringLiteral("COPY tel (tel, fio, Name, Story) FROM STDIN"),
        [&fill](const PgConnection::CopyWriter& write) {
            QByteArray rows;
            int held = 0;
            fill([&](const DirectoryEntry& entry) {
                rows += entry.tel ? PhoneNumberText(*entry.tel) : QByteArray("\\N");
                for (const std::optional<QString>* text : {&entry.fio, &entry.name, &entry.story}) {
                    rows += '\t';
                    AppendCopyText(rows, *text);
                }
                rows += '\n';
                if (++held == kRowsAtATime) {
                    write(rows);
                    rows.clear();
                    held = 0;
                }
            });
            write(rows);
        });
}

void ServerEntryStore::forEach(const Visit& visit) {
    connection_.exec(QStringLiteral("BEGIN READ ONLY; DECLARE entries NO SCROLL CURSOR FOR "
                                    "SELECT tel, fio, Name, Story FROM tel ORDER BY ID"));
    try {
        const QString fetch = QStringLiteral("FETCH %1 FROM entries").arg(kRowsAtATime);
        for (PgResult rows = connection_.exec(fetch); rows.rowCount() > 0;
             rows = connection_.exec(fetch)) {
            for (int row = 0; row < rows.rowCount(); ++row) {
                visit(DirectoryEntry{Phone(rows, row), Text(rows, row, 1), Text(rows, row, 2),
                                     Text(rows, row, 3)});
            }
        }
    } catch (...) {
        try {
            connection_.exec(QStringLiteral("ROLLBACK"));
        } catch (const Exception&) {
            // The connection is gone; the server ends the transaction with it.
        }
        throw;
    }
    connection_.exec(QStringLiteral("COMMIT"));
}
