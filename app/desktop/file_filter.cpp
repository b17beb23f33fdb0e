#include "app/desktop/file_filter.h"

#include <QString>

namespace brondel::desktop {

QStringList qtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns.isEmpty()) {
            continue;
        }
        const QString bracketed = QStringLiteral("(") + patterns + QStringLiteral(")");
        if (description.endsWith(bracketed)) {
            result << description;
        } else if (description.isEmpty()) {
            result << bracketed;
        } else {
            result << description + QStringLiteral(" ") + bracketed;
        }
    }
    return result;
}

QString filterSuffix(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = nameFilter.indexOf(QLatin1Char(')'), open);
    if (open < 0 || close < 0) {
        return {};
    }
    const QString first =
        nameFilter.mid(open + 1, close - open - 1).section(QLatin1Char(' '), 0, 0);
    if (!first.startsWith(QStringLiteral("*."))) {
        return {};
    }
    const QString suffix = first.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString()
                                                                                  : suffix;
}

QString displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace brondel::desktop
