#include "platform/linux/desktop_exec.h"

#include <algorithm>

namespace orbel::platform {
namespace {

bool IsReserved(QChar c)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return reserved.contains(c) || c == QLatin1Char('\r');
}

QString QuoteWord(const QString& word)
{
    QString out;
    const bool quote = word.isEmpty() || std::any_of(word.begin(), word.end(), IsReserved);
    if (quote)
        out += QLatin1Char('"');
    for (QChar c : word) {
        if (quote && (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                      || c == QLatin1Char('\\')))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    if (quote)
        out += QLatin1Char('"');
    return out;
}

// The general string escapes, which readers undo before they split words.
QString EscapeString(const QString& text)
{
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

QString ExecValue(const QStringList& argv)
{
    QStringList words;
    for (const QString& word : argv)
        words << QuoteWord(word);
    return EscapeString(words.join(QLatin1Char(' ')));
}

DesktopGroup ReadDesktopGroup(const QString& text)
{
    DesktopGroup group;
    bool inside = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // Only the first such group counts; a repeated header is malformed.
            if (inside)
                break;
            inside = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inside)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!group.contains(key))
            group.insert(key, line.mid(eq + 1).trimmed());
    }
    return group;
}

}  // namespace orbel::platform
