#include "platform/linux/desktop_exec.h"

#include <algorithm>

namespace orbel::platform {
namespace {

bool IsReserved(QChar c) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return reserved.contains(c) || c == QLatin1Char('\r');
}

QString QuoteWord(const QString& word) {
    QString out;
    const bool quote = word.isEmpty() || std::any_of(word.begin(), word.end(), IsReserved);
    if (quote) out += QLatin1Char('"');
    for (QChar c : word) {
        if (quote &&
            (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%')) out += QLatin1Char('%');
        out += c;
    }
    if (quote) out += QLatin1Char('"');
    return out;
}

// The general string escapes, which readers undo before they split words.
QString EscapeString(const QString& text) {
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

QString ExecValue(const QStringList& argv) {
    QStringList words;
    for (const QString& word : argv) words << QuoteWord(word);
    return EscapeString(words.join(QLatin1Char(' ')));
}

}  // namespace orbel::platform
