#include "platform/qt/QtText.h"

#include <QPalette>
#include <QStringList>

namespace velcaro::qt {

QString Shown(const std::string& text) {
    QString s = ToQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

std::string Typed(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQt(s);
}

QColor ResolveColor(ui::Color c, const QPalette& palette) {
    if (c == ui::clWindow)
        return palette.color(QPalette::Active, QPalette::Base);
    if (c == ui::clBtnFace)
        return palette.color(QPalette::Active, QPalette::Window);
    if (c < 0)
        return {};
    return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>(c & 0xFF));
}

QString QtFileFilter(const std::string& filter) {
    // The program's filter alternates descriptions and patterns: "desc|pat|desc|pat".
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (desc.isEmpty() && pattern.isEmpty())
            continue;
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (desc.contains(QLatin1Char('(')) || patterns.isEmpty())
            out << desc;
        else
            out << desc + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace velcaro::qt
