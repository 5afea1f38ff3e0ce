#pragma once
// Conversions between the program's texts and values and what Qt shows.
#include "platform/ui/Controls.h"

#include <QColor>
#include <QString>
#include <string>

class QPalette;

namespace velcaro::qt {

inline QString ToQt(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string FromQt(const QString& s) {
    return s.toStdString();
}

// The logic joins lines with "\r" (or "\r\n"); Qt breaks lines at "\n".
QString Shown(const std::string& text);
// A multi-line text typed by the user, back in the program's form (lines joined by "\r\n").
std::string Typed(const QString& text);

// A control colour as Qt paints it: the system colours come from the palette.
QColor ResolveColor(ui::Color c, const QPalette& palette);

// "Fogli di lavoro (*.xls)|*.xls|Tutti (*.*)|*.*" -> "Fogli di lavoro (*.xls);;Tutti (*.*)".
// A description without a pattern in brackets gets the pattern appended.
QString QtFileFilter(const std::string& filter);

} // namespace velcaro::qt
